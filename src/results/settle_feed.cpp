#include "results/settle_feed.h"

#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>
#include <system_error>

namespace shootout {

void SettleFeed::Count::set(std::uint32_t value, bool wake) {
  value_.store(value, std::memory_order_release);
  if (!wake) return;
  // Taking the lock orders the wake after a waiter's last look at the count.
  { const std::lock_guard<std::mutex> lock(mutex_); }
  changed_.notify_one();
}

void SettleFeed::Count::wait_change(std::uint32_t value) {
  // The other side is usually only a few games away: looking again for a
  // while costs less than sleeping and being woken.
  for (int look = 0; look < 256; ++look) {
    if (get() != value) return;
#if defined(__SSE2__)
    _mm_pause();
#endif
  }
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return get() != value; });
}

SettleFeed::SettleFeed(const PlayerRegistry& registry, std::span<const ScheduleEntry> entries,
                       RandomSource& random)
    : registry_(registry), entries_(entries), random_(random) {
  try {
    worker_ = std::async(std::launch::async, [this] { play_all(); });
    threaded_ = true;
  } catch (const std::system_error&) {
    threaded_ = false;
  }
}

SettleFeed::~SettleFeed() {
  if (!threaded_) return;
  stop_.store(true, std::memory_order_release);
  taken_.set(std::numeric_limits<std::uint32_t>::max(), true);
  worker_.wait();
}

void SettleFeed::play_into(Slot& slot, std::uint32_t game) {
  try {
    play_game_shootout(registry_, *entries_[game].tie_game, random_, slot.result);
  } catch (...) {
    slot.failure = std::current_exception();
  }
}

void SettleFeed::play_all() {
  try {
    const auto count = static_cast<std::uint32_t>(entries_.size());
    for (std::uint32_t game = 0; game < count; ++game) {
      // Wait for a free slot: the caller frees them a batch at a time.
      for (std::uint32_t taken = taken_.get();
           !stop_.load(std::memory_order_acquire) && game - taken >= kSlots;
           taken = taken_.get()) {
        taken_.wait_change(taken);
      }
      if (stop_.load(std::memory_order_acquire)) return;
      Slot& slot = slots_[game % kSlots];
      play_into(slot, game);
      const bool failed = slot.failure != nullptr;
      played_.set(game + 1, failed || (game + 1) % kBatch == 0 || game + 1 == count);
      if (failed) return;
    }
  } catch (...) {
    // Whatever else stops this thread reaches the caller at the next game it
    // asks for, rather than leaving it waiting.
    stopped_by_ = std::current_exception();
    played_.set(kStopped, true);
  }
}

const ShootoutResult& SettleFeed::next() {
  const std::uint32_t game = next_++;
  Slot& slot = slots_[game % kSlots];
  if (!threaded_) {
    play_into(slot, game);
  } else {
    // The games before are done with: their slots go back a batch at a time.
    if (game > 0 && game % kBatch == 0) taken_.set(game, true);
    for (std::uint32_t played = played_.get(); played <= game; played = played_.get()) {
      played_.wait_change(played);
    }
    if (played_.get() == kStopped) std::rethrow_exception(stopped_by_);
  }
  if (slot.failure) std::rethrow_exception(slot.failure);
  return slot.result;
}

}  // namespace shootout
