#include "driver/process_memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace shootout {

LargeRunHeap::LargeRunHeap() {
#if defined(__linux__) && defined(__GLIBC__)
  constexpr std::size_t kReserve = std::size_t{64} << 20;
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  constexpr std::size_t kChunkOverhead = 64;
  // Every allocation comes from the one heap, shared by all threads, which
  // grows by the reserve at a time and is not given back while it runs.
  mallopt(M_ARENA_MAX, 1);
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, static_cast<int>(kReserve));
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  // Memory below the heap's first huge page boundary can only have small
  // pages: a filler takes it, so that the run's records start above.
  void* probe = std::malloc(1);
  const auto top = reinterpret_cast<std::uintptr_t>(probe);
  std::free(probe);
  const std::uintptr_t gap = ((top + kHugePage - 1) & ~(kHugePage - 1)) - top;
  if (probe != nullptr && gap > 2 * kChunkOverhead) filler_ = std::malloc(gap - kChunkOverhead);
  // One large block makes the heap grow now; freed, its memory stays in
  // the heap for everything allocated later.
  void* first = std::malloc(kReserve);
  const auto begin = reinterpret_cast<std::uintptr_t>(first);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(first);
  const std::uintptr_t from = begin & ~(kHugePage - 1);
  const std::uintptr_t to = end & ~(kHugePage - 1);
  // Only a hint: where it is not taken, the heap simply stays as it was.
  if (first != nullptr && from < to) {
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
#endif
}

LargeRunHeap::~LargeRunHeap() { std::free(filler_); }

}  // namespace shootout
