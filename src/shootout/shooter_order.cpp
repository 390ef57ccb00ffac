#include "shootout/shooter_order.h"

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
  // counting rather than by comparing and branching.
  ShootingOrder sorted;
  std::int64_t scores[std::tuple_size_v<ShootingOrder>];
  for (std::size_t i = 0; i < order.size(); ++i) scores[i] = order[i].order_score;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::int64_t score = scores[i];
    std::size_t place = 0;
    for (std::size_t j = 0; j < i; ++j) place += static_cast<std::size_t>(scores[j] >= score);
    for (std::size_t j = i + 1; j < order.size(); ++j) {
      place += static_cast<std::size_t>(scores[j] > score);
    }
    sorted[place] = order[i];
  }
  return sorted;
}

}  // namespace shootout
