#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <exception>
#include <future>
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

  void play_all();
  void play_into(Slot& slot, std::uint32_t game);

  const PlayerRegistry& registry_;
  std::vector<const TieGame*> games_;
  RandomSource& random_;
  std::array<Slot, kSlots> slots_;
  // Each side writes a counter of its own, on a cache line of its own.
  alignas(64) std::atomic<std::uint32_t> played_{0};  // results ready
  alignas(64) std::atomic<std::uint32_t> taken_{0};   // results the caller is done with
  std::atomic<bool> stop_{false};
  alignas(64) std::uint32_t next_ = 0;  // the caller's next game
  bool threaded_ = false;
  std::future<void> worker_;
};

}  // namespace shootout
