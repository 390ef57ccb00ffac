#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <utility>

namespace shootout {

// Memory for a whole season file or for the nodes of all its lines. Large
// blocks are mapped in one piece and backed by huge pages where the system
// offers them: touching tens of megabytes page by page costs more than
// reading them, and the memory is left uninitialised until it is written.
class LargeBlock {
 public:
  LargeBlock() = default;
  explicit LargeBlock(std::size_t bytes);
  // The first `bytes` bytes of an open file, mapped read-only; an empty
  // block when the system cannot map it.
  static LargeBlock map_file(int fd, std::size_t bytes);
  ~LargeBlock();
  LargeBlock(LargeBlock&& other) noexcept;
  LargeBlock& operator=(LargeBlock&& other) noexcept;
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  void* data() const { return data_; }
  std::size_t bytes() const { return bytes_; }

 private:
  void release();

  void* data_ = nullptr;
  std::size_t bytes_ = 0;
  void* mapping_ = nullptr;  // the whole mapping, when the block is mapped
  std::size_t mapped_bytes_ = 0;
};

// The bytes of one season file, read once and never copied afterwards.
class FileText {
 public:
  FileText() = default;
  // Room for `size` bytes, not yet written.
  explicit FileText(std::size_t size) : block_(size), size_(size) {}
  // A copy of `text`.
  static FileText copy_of(std::string_view text);
  // Text that is already in `block` (a mapped file, for one), never written.
  FileText(LargeBlock block, std::size_t size) : block_(std::move(block)), size_(size) {}

  char* data() { return static_cast<char*>(block_.data()); }
  std::size_t size() const { return size_; }
  // Keeps only the first `size` bytes.
  void shrink(std::size_t size) { size_ = size < size_ ? size : size_; }
  std::string_view view() const {
    return {static_cast<const char*>(block_.data()), size_};
  }

 private:
  LargeBlock block_;
  std::size_t size_ = 0;
};

}  // namespace shootout
