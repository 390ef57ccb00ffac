#pragma once

#include <cstdint>

#include "season/game_report_reader.h"
#include "season/line_list.h"

namespace shootout {

// One two-line entry of schedule.lgs as the scan reads it.
struct ScheduleEntry {
  std::int32_t game_number = 0;  // position in the schedule, from 1
  std::int32_t day = 0, month = 0, year = 0;
  std::int32_t first_team = 0, second_team = 0;
  std::int32_t first_score = 0, second_score = 0;
  LineNode* score_line = nullptr;  // owned by schedule_lines
  TieGame* tie_game = nullptr;     // owned by the tie game table
};

inline constexpr const char* kScheduleFile = "schedule.lgs";
inline constexpr const char* kBoxscoresFile = "boxscores.lgs";

}  // namespace shootout
