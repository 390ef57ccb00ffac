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
  // Insertion sort: stable, so that equal scores keep roster order and a seed
  // always gives the same order, and it needs no memory for 18 entries.
  for (std::size_t i = 1; i < order.size(); ++i) {
    const ShotTaker taker = order[i];
    std::size_t j = i;
    for (; j > 0 && compare_shooters(taker, order[j - 1]) < 0; --j) {
      order[j] = order[j - 1];
    }
    order[j] = taker;
  }
  return order;
}

}  // namespace shootout
