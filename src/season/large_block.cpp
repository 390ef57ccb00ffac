#include "season/large_block.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace shootout {

namespace {
#if defined(__linux__)
constexpr std::size_t kHugePage = std::size_t{2} << 20;
#endif
}  // namespace

LargeBlock::LargeBlock(std::size_t bytes) : bytes_(bytes) {
  if (bytes == 0) return;
#if defined(__linux__)
  if (bytes >= kHugePage / 2) {
    // Map a huge page more than needed, so the block can start on a huge
    // page boundary.
    mapped_bytes_ = (bytes + 2 * kHugePage - 1) & ~(kHugePage - 1);
    void* mapping = ::mmap(nullptr, mapped_bytes_, PROT_READ | PROT_WRITE,
                           MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping != MAP_FAILED) {
      mapping_ = mapping;
      const auto start = reinterpret_cast<std::uintptr_t>(mapping);
      data_ = reinterpret_cast<void*>((start + kHugePage - 1) & ~(kHugePage - 1));
      ::madvise(data_, bytes, MADV_HUGEPAGE);
      return;
    }
    mapped_bytes_ = 0;
  }
#endif
  data_ = ::operator new(bytes);
}

LargeBlock LargeBlock::map_file([[maybe_unused]] int fd, [[maybe_unused]] std::size_t bytes) {
  LargeBlock block;
#if defined(__linux__)
  if (bytes == 0) return block;
  // The pages are the file's own cached ones: nothing is copied or zeroed,
  // and all of them are mapped in one call rather than fault by fault.
  void* mapping = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (mapping == MAP_FAILED) return block;
  block.data_ = block.mapping_ = mapping;
  block.bytes_ = block.mapped_bytes_ = bytes;
#endif
  return block;
}

LargeBlock::~LargeBlock() { release(); }

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      bytes_(std::exchange(other.bytes_, 0)),
      mapping_(std::exchange(other.mapping_, nullptr)),
      mapped_bytes_(std::exchange(other.mapped_bytes_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
  if (this != &other) {
    release();
    data_ = std::exchange(other.data_, nullptr);
    bytes_ = std::exchange(other.bytes_, 0);
    mapping_ = std::exchange(other.mapping_, nullptr);
    mapped_bytes_ = std::exchange(other.mapped_bytes_, 0);
  }
  return *this;
}

void LargeBlock::release() {
#if defined(__linux__)
  if (mapping_ != nullptr) {
    ::munmap(mapping_, mapped_bytes_);
    mapping_ = nullptr;
    data_ = nullptr;
    return;
  }
#endif
  ::operator delete(data_);
  data_ = nullptr;
}

FileText FileText::copy_of(std::string_view text) {
  FileText copy(text.size());
  if (!text.empty()) std::memcpy(copy.data(), text.data(), text.size());
  return copy;
}

}  // namespace shootout
