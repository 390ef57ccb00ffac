#include "shootout/shootout_feed.h"

#include <limits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string>
#include <system_error>

#include "driver/run_failure.h"
#include "shootout/shooter_order.h"

namespace shootout {

namespace {

// Waits until `counter` no longer holds `value`. The other side is usually
// just a game or so away: looking again for a while costs less than
// sleeping and being woken.
void wait_for_change(const std::atomic<std::uint32_t>& counter, std::uint32_t value) {
  for (int look = 0; look < 256; ++look) {
    if (counter.load(std::memory_order_acquire) != value) return;
#if defined(__SSE2__)
    _mm_pause();
#endif
  }
  counter.wait(value, std::memory_order_acquire);
}

}  // namespace

void play_game_shootout(const PlayerRegistry& registry, const TieGame& game,
                        RandomSource& random, ShootoutResult& result) {
  if (registry.player_table.empty()) {
    abort_run(FailureKind::season_file_invalid,
              std::string(kPlayersFile) +
                  ": declares no players, so the rosters of tied game " +
                  std::to_string(game.game_number) + " name nobody");
  }
  const ShootingOrder first = order_shooters(registry, game.first_team_skaters, random);
  const ShootingOrder second = order_shooters(registry, game.second_team_skaters, random);
  play_shootout(game, first, second, registry, random, result);
}

ShootoutFeed::ShootoutFeed(const PlayerRegistry& registry,
                           std::vector<const TieGame*> games, RandomSource& random)
    : registry_(registry), games_(std::move(games)), random_(random) {
  try {
    worker_ = std::async(std::launch::async, [this] { play_all(); });
    threaded_ = true;
  } catch (const std::system_error&) {
    threaded_ = false;
  }
}

ShootoutFeed::~ShootoutFeed() {
  if (!threaded_) return;
  stop_.store(true, std::memory_order_release);
  taken_.store(std::numeric_limits<std::uint32_t>::max(), std::memory_order_release);
  taken_.notify_one();
  worker_.wait();
}

void ShootoutFeed::play_into(Slot& slot, std::uint32_t game) {
  try {
    play_game_shootout(registry_, *games_[game], random_, slot.result);
  } catch (...) {
    slot.failure = std::current_exception();
  }
}

void ShootoutFeed::play_all() {
  const auto count = static_cast<std::uint32_t>(games_.size());
  for (std::uint32_t game = 0; game < count; ++game) {
    // Wait for a free slot: the caller frees them a batch at a time.
    for (std::uint32_t taken = taken_.load(std::memory_order_acquire);
         !stop_.load(std::memory_order_acquire) && game - taken >= kSlots;
         taken = taken_.load(std::memory_order_acquire)) {
      wait_for_change(taken_, taken);
    }
    if (stop_.load(std::memory_order_acquire)) return;
    Slot& slot = slots_[game % kSlots];
    play_into(slot, game);
    const bool failed = slot.failure != nullptr;
    played_.store(game + 1, std::memory_order_release);
    if (failed || (game + 1) % kBatch == 0 || game + 1 == count) played_.notify_one();
    if (failed) return;
  }
}

const ShootoutResult& ShootoutFeed::next() {
  const std::uint32_t game = next_++;
  Slot& slot = slots_[game % kSlots];
  if (!threaded_) {
    play_into(slot, game);
  } else {
    // The games before are done with: their slots go back a batch at a time.
    if (game > 0 && game % kBatch == 0) {
      taken_.store(game, std::memory_order_release);
      taken_.notify_one();
    }
    for (std::uint32_t played = played_.load(std::memory_order_acquire); played <= game;
         played = played_.load(std::memory_order_acquire)) {
      wait_for_change(played_, played);
    }
  }
  if (slot.failure) std::rethrow_exception(slot.failure);
  return slot.result;
}

}  // namespace shootout
