#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "driver/random_source.h"
#include "season/game_report_reader.h"
#include "season/player_registry.h"
#include "shootout/shooter_order.h"

namespace shootout {

enum class Side { first, second };

struct ShootoutResult {
  Side winner = Side::first;
  std::string win_line;              // "<winner> win <w>-<l>\n"
  std::string first_shot_log_line;   // "<first team> - <log>\n"
  std::string second_shot_log_line;  // "<second team> - <log>\n"
};

// Stop rules of a best-of-three shootout in which the first team shoots
// first, followed by full sudden-death rounds. `a` and `b` are the goals
// after the attempt just taken in round `round`; the result is the winner
// when the shootout is over.
std::optional<Side> decided_after_first(std::int64_t round, int a, int b);
std::optional<Side> decided_after_second(std::int64_t round, int a, int b);

// A shootout that is still level after this many rounds is given up as
// unresolved; one in which any attempt can score ends long before.
inline constexpr std::int64_t kMaxRounds = 1'000'000;

// Plays the game's shootout between the two shooting orders, one draw per
// attempt, and puts the result in `result`, replacing its texts in the
// buffers they already have. A shootout that can never be decided raises
// shootout_unresolved.
void play_shootout(const TieGame& game, const ShootingOrder& first,
                   const ShootingOrder& second, const PlayerRegistry& registry,
                   RandomSource& random, ShootoutResult& result);

// Plays one tied game's shootout into `result`: both shooting orders, then
// the attempts. A league without players has nobody to shoot: that is a
// failure of the players file.
void play_game_shootout(const PlayerRegistry& registry, const TieGame& game,
                        RandomSource& random, ShootoutResult& result);

}  // namespace shootout
