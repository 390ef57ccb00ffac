#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <future>
#include <mutex>
#include <vector>

#include "driver/random_source.h"
#include "season/game_report_reader.h"
#include "season/player_registry.h"
#include "shootout/shootout_sequence.h"

namespace shootout {

// Plays one tied game's shootout into `result`: both shooting orders, then
// the attempts. A league without players has nobody to shoot: that is a
// failure of the players file.
void play_game_shootout(const PlayerRegistry& registry, const TieGame& game,
                        RandomSource& random, ShootoutResult& result);

// Plays the shootouts of the given games, in their order, on a thread of its
// own while the caller records the results of the games before: the draws
// are taken in exactly the order one game after the other takes them. The
// results are handed over in order; a game whose shootout failed hands over
// its failure instead, and no game after it is played. Where the system
// gives no second thread, each game is played when its result is asked for.
class ShootoutFeed {
 public:
  // The registry, the games and the random source must outlive the feed,
  // and nothing else may draw while it lives.
  ShootoutFeed(const PlayerRegistry& registry, std::vector<const TieGame*> games,
               RandomSource& random);
  ShootoutFeed(const ShootoutFeed&) = delete;
  ShootoutFeed& operator=(const ShootoutFeed&) = delete;
  // Stops playing and waits for the thread.
  ~ShootoutFeed();

  // The next game's result, valid until the following call; rethrows the
  // failure of that game's shootout.
  const ShootoutResult& next();

 private:
  // Results waiting to be taken: the thread runs at most this far ahead.
  static constexpr std::uint32_t kSlots = 256;
  // The two sides wake each other once per this many games, not per game.
  static constexpr std::uint32_t kBatch = 32;
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
  std::vector<const TieGame*> games_;
  RandomSource& random_;
  std::array<Slot, kSlots> slots_;
  // Each side writes a count of its own, on a cache line of its own.
  alignas(64) Count played_;  // results ready
  alignas(64) Count taken_;   // results the caller is done with
  std::atomic<bool> stop_{false};
  alignas(64) std::uint32_t next_ = 0;  // the caller's next game
  bool threaded_ = false;
  std::future<void> worker_;
};

}  // namespace shootout
