#include "shootout/shooter_order.h"

#include <cstdint>
#include <limits>
#include <tuple>

namespace shootout {

int compare_shooters(const ShotTaker& a, const ShotTaker& b) {
  if (a.order_score == b.order_score) return 0;
  return a.order_score > b.order_score ? -1 : 1;
}

namespace {

constexpr std::size_t kTakers = std::tuple_size_v<ShootingOrder>;

// The takers in order of their keys, largest first: each key is the score
// and then the roster place reversed, so that those before a taker are just
// those with a larger key, and each place is found by counting them. Two
// keys of padding, smaller than any other, let the counting go several keys
// a step.
template <typename Key>
ShootingOrder by_keys(const ShootingOrder& order) {
  Key keys[kTakers + 2];
  for (std::size_t i = 0; i < kTakers; ++i) {
    keys[i] = static_cast<Key>(order[i].order_score * 32) + static_cast<Key>(kTakers - 1 - i);
  }
  keys[kTakers] = keys[kTakers + 1] = std::numeric_limits<Key>::min();
  ShootingOrder sorted;
  for (std::size_t i = 0; i < kTakers; ++i) {
    Key place = 0;
    for (std::size_t j = 0; j < kTakers + 2; ++j) place += keys[j] > keys[i] ? 1 : 0;
    sorted[static_cast<std::size_t>(place)] = order[i];
  }
  return sorted;
}

}  // namespace

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
  // counting rather than by comparing and branching. With usual ratings the
  // keys fit in 32 bits, which counts four keys a step.
  constexpr std::int64_t kSmallScore = std::int64_t{1} << 25;
  bool small = true;
  for (const ShotTaker& taker : order) {
    small = small && taker.order_score >= -kSmallScore && taker.order_score < kSmallScore;
  }
  return small ? by_keys<std::int32_t>(order) : by_keys<std::int64_t>(order);
}

}  // namespace shootout
