#pragma once

#include <cstdint>

#include "driver/random_source.h"
#include "season/player_registry.h"

namespace shootout {

// The goalie's share of the scoring chance, falling as the goalie value
// (rating1 + rating2) rises.
int goalie_part(std::int64_t goalie_value);
// The shooter's share, rising with the shooter value ((rating1 + rating2) / 2).
int shooter_part(std::int64_t shooter_value);

// The chance in percent (0 to 78) that the shooter scores on the goalie.
int shot_threshold(const Player& shooter, const Player& goalie);

// Decides one attempt with one draw: a goal when the draw modulo 100 is
// below the threshold.
bool shot_succeeds(const Player& shooter, const Player& goalie,
                   RandomSource& random);

}  // namespace shootout
