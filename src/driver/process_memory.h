#pragma once

namespace shootout {

// Prepares the process's heap for a run that builds tens of megabytes of
// records: where the system has transparent huge pages, the heap grows in
// large steps and is backed by 2 MiB pages, so that it is not mapped one
// 4 KiB page fault at a time. Elsewhere it does nothing. Called once, by
// the executable, before anything is allocated in earnest.
void prepare_heap_for_large_runs();

}  // namespace shootout
