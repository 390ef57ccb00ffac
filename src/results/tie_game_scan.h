#pragma once

#include <optional>

#include "driver/run_state.h"
#include "results/schedule_entry.h"

namespace shootout {

// Parses one schedule entry. An entry whose date line does not yield five
// integers or whose score line does not yield two is returned with team
// numbers 0, so it never qualifies.
ScheduleEntry read_schedule_entry(std::int32_t game_number,
                                  const LineNode& date_line,
                                  LineNode& score_line);

// Whether the entry is a game to settle: its report is tied, its schedule
// scores are equal and both team numbers lie in 1 to 30.
bool qualifies(const ScheduleEntry& entry);

// Walks schedule_lines two lines per game and settles every qualifying game
// in schedule order: shooting orders, shootout, new score lines, standings,
// log block, replaced score lines, box score section.
void scan_schedule(RunState& run);

}  // namespace shootout
