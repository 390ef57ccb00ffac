#pragma once

namespace shootout {

// Prepares the process's heap for a run that builds tens of megabytes of
// records: where the system has transparent huge pages, the heap grows in
// large steps and is backed by 2 MiB pages, so that it is not mapped one
// 4 KiB page fault at a time. Elsewhere it does nothing. One is made by the
// executable, before anything is allocated in earnest, and kept until the
// run's memory is freed.
class LargeRunHeap {
 public:
  LargeRunHeap();
  ~LargeRunHeap();
  LargeRunHeap(const LargeRunHeap&) = delete;
  LargeRunHeap& operator=(const LargeRunHeap&) = delete;

 private:
  void* filler_ = nullptr;  // the heap up to its first huge page boundary
};

}  // namespace shootout
