#pragma once

#include <array>
#include <cstdint>

#include "driver/random_source.h"
#include "season/player_registry.h"

namespace shootout {

struct ShotTaker {
  std::int32_t player_index = 0;
  std::int64_t order_score = 0;  // ratings plus a bonus of 0 to 19
};

using ShootingOrder = std::array<ShotTaker, 18>;

// Negative when `a` shoots before `b` (higher score), positive when after.
int compare_shooters(const ShotTaker& a, const ShotTaker& b);

// One draw per skater, in roster order, then the order by falling score.
// Every index must name a player of the registry.
ShootingOrder order_shooters(const PlayerRegistry& registry,
                             const std::array<std::int32_t, 18>& skaters,
                             RandomSource& random);

}  // namespace shootout
