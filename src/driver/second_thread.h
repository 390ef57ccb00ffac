#pragma once

#include <future>
#include <system_error>

namespace shootout {

// Runs `work` on a thread of its own where the system gives one, otherwise
// when its result is asked for.
template <typename Work>
auto on_second_thread(Work work) {
  try {
    return std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    return std::async(std::launch::deferred, work);
  }
}

}  // namespace shootout
