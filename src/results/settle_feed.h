#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <future>
#include <mutex>
#include <span>

#include "driver/random_source.h"
#include "results/schedule_entry.h"
#include "season/player_registry.h"
#include "shootout/shootout_sequence.h"

namespace shootout {

// Plays the shootouts of the given games, in their order, on a thread of its
// own while the caller records the games before: the draws are taken in
// exactly the order one game after the other takes them. The games are
// handed over in order; a game whose shootout failed hands over its failure
// instead, and no game after it is played. Where the system gives no second
// thread, each game is played when it is asked for.
class SettleFeed {
 public:
  // The registry, the entries (each with its tie game) and the random
  // source must outlive the feed, and nothing else may draw while it lives.
  SettleFeed(const PlayerRegistry& registry, std::span<const ScheduleEntry> entries,
             RandomSource& random);
  SettleFeed(const SettleFeed&) = delete;
  SettleFeed& operator=(const SettleFeed&) = delete;
  // Stops playing and waits for the thread.
  ~SettleFeed();

  // The next game's shootout, valid until the following call; rethrows the
  // failure of that game's shootout.
  const ShootoutResult& next();

 private:
  // Results waiting to be taken: the thread runs at most this far ahead.
  static constexpr std::uint32_t kSlots = 256;
  // The two sides wake each other once per this many games, not per game.
  static constexpr std::uint32_t kBatch = 32;
  // The count of results ready once the thread has stopped on something
  // other than a game's failure.
  static constexpr std::uint32_t kStopped = UINT32_MAX;
  // A slot's texts keep their buffers from one game to the next.
  struct Slot {
    ShootoutResult result;
    std::exception_ptr failure;
  };

  // A count that one side raises and the other waits on. Reading it costs
  // no lock; waking the other side does, once per batch.
  class Count {
   public:
    std::uint32_t get() const { return value_.load(std::memory_order_acquire); }
    // Raises the count, waking a waiter when `wake` is set.
    void set(std::uint32_t value, bool wake);
    // Returns once the count no longer holds `value`.
    void wait_change(std::uint32_t value);

   private:
    std::atomic<std::uint32_t> value_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
  };

  void play_all();
  void play_into(Slot& slot, std::uint32_t game);

  const PlayerRegistry& registry_;
  std::span<const ScheduleEntry> entries_;
  RandomSource& random_;
  std::array<Slot, kSlots> slots_;
  // Each side writes a count of its own, on a cache line of its own.
  alignas(64) Count played_;  // results ready
  alignas(64) Count taken_;   // results the caller is done with
  std::atomic<bool> stop_{false};
  std::exception_ptr stopped_by_;  // set before played_ becomes kStopped
  alignas(64) std::uint32_t next_ = 0;  // the caller's next game
  bool threaded_ = false;
  std::future<void> worker_;
};

}  // namespace shootout
