#include "shootout/shooter_order.h"

#include <climits>
#include <cstdint>
#include <tuple>

namespace shootout {

int compare_shooters(const ShotTaker& a, const ShotTaker& b) {
  if (a.order_score == b.order_score) return 0;
  return a.order_score > b.order_score ? -1 : 1;
}

ShootingOrder order_shooters(const PlayerRegistry& registry,
                             const std::array<std::int32_t, 18>& skaters,
                             RandomSource& random) {
  ShootingOrder order;
  for (std::size_t i = 0; i < skaters.size(); ++i) {
    const Player& player =
        registry.player_table.at(static_cast<std::size_t>(skaters[i]));
    const int bonus = random.draw() % 20;
    order[i] = ShotTaker{player.index, std::int64_t{bonus} + player.rating1 +
                                           player.rating2};
  }
  // Each taker's place is the number of takers that shoot before it: those
  // with a higher score, and those earlier on the roster with the same one.
  // A stable order, so that a seed always gives the same order, found by
  // counting rather than by comparing and branching. Each taker gets one key,
  // its score and then its roster place reversed, so that those before it
  // are just those with a larger key.
  constexpr std::size_t kTakers = std::tuple_size_v<ShootingOrder>;
  ShootingOrder sorted;
  constexpr std::int64_t kSmallScore = std::int64_t{1} << 25;
  bool small = true;
  for (const ShotTaker& taker : order) {
    small = small && taker.order_score >= -kSmallScore && taker.order_score < kSmallScore;
  }
  if (small) {
    // Usual ratings: the keys fit in 32 bits, and the counting goes four
    // keys a step. The two keys of padding are smaller than any other.
    std::int32_t keys[kTakers + 2];
    for (std::size_t i = 0; i < kTakers; ++i) {
      keys[i] = static_cast<std::int32_t>(order[i].order_score * 32) +
                static_cast<std::int32_t>(kTakers - 1 - i);
    }
    keys[kTakers] = keys[kTakers + 1] = INT32_MIN;
    for (std::size_t i = 0; i < kTakers; ++i) {
      std::int32_t place = 0;
      for (std::size_t j = 0; j < kTakers + 2; ++j) place += keys[j] > keys[i] ? 1 : 0;
      sorted[static_cast<std::size_t>(place)] = order[i];
    }
    return sorted;
  }
  std::int64_t keys[kTakers];
  for (std::size_t i = 0; i < kTakers; ++i) {
    keys[i] = order[i].order_score * 32 + static_cast<std::int64_t>(kTakers - 1 - i);
  }
  for (std::size_t i = 0; i < kTakers; ++i) {
    std::size_t place = 0;
    for (std::size_t j = 0; j < kTakers; ++j) place += keys[j] > keys[i] ? 1 : 0;
    sorted[place] = order[i];
  }
  return sorted;
}

}  // namespace shootout
