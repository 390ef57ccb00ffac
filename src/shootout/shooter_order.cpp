#include "shootout/shooter_order.h"

#include <algorithm>

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
  // Stable, so that equal scores keep roster order and a seed always gives
  // the same order.
  std::stable_sort(order.begin(), order.end(),
                   [](const ShotTaker& a, const ShotTaker& b) {
                     return compare_shooters(a, b) < 0;
                   });
  return order;
}

}  // namespace shootout
