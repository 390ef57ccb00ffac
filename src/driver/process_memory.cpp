#include "driver/process_memory.h"

#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace shootout {

void prepare_heap_for_large_runs() {
#if defined(__linux__) && defined(__GLIBC__)
  constexpr std::size_t kReserve = std::size_t{64} << 20;
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  // Every allocation comes from the one heap, which grows by the reserve at
  // a time and is never given back before the process ends.
  mallopt(M_ARENA_MAX, 1);  // threads share it too
  mallopt(M_MMAP_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, static_cast<int>(kReserve));
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  // One large block makes the heap grow now; freed, its memory stays in
  // the heap for everything allocated later.
  void* first = std::malloc(kReserve);
  const auto begin = reinterpret_cast<std::uintptr_t>(first);
  const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
  std::free(first);
  const std::uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t to = end & ~(kHugePage - 1);
  // Only a hint: where it is not taken, the heap simply stays as it was.
  if (first != nullptr && from < to) {
    madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
  }
#endif
}

}  // namespace shootout
