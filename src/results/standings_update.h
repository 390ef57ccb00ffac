#pragma once

#include <cstdint>

#include "season/team_record_index.h"
#include "shootout/shootout_sequence.h"

namespace shootout {

// Moves a settled game from both teams' ties columns to the winner's wins
// column and the loser's shootout-loss column, for games outside the months
// 5 to 9. Edits, in order: first team's line 1, its line 5, second team's
// line 2, its line 5. A ties column that would fall below zero raises
// negative_ties; a team without a block or without the line to edit, or a
// line with fewer numbers than its layout, is a failure.
void update_standings(TeamRecordTable& table, LineList& team_lines,
                      std::int32_t month,
                      std::int32_t first_team, std::int32_t second_team,
                      Side winner);

}  // namespace shootout
