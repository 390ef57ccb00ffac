#pragma once

#include <cstdint>
#include <string>

#include "results/boxscore_index.h"
#include "results/schedule_entry.h"
#include "season/game_report_reader.h"
#include "season/line_list.h"
#include "shootout/shootout_sequence.h"

namespace shootout {

struct ScoreLines {
  std::string schedule_line;  // " <first>  <second> \n"
  std::string report_line;    // "<first name> <first> , <second name> <second> (SO)\n"
};

// Writes the game's new score lines into `lines`, keeping its buffers: the
// schedule's scores with the winner's raised by one, the first team's always
// first.
void compose_score_lines(const ScheduleEntry& entry, const TieGame& game, Side winner,
                         ScoreLines& lines);

// Writes the game's block of shootout.html into `block`, keeping its buffer:
// the date (month-day-year) with the report score line, the win line and
// both shot-log lines.
void write_log_block(const ScheduleEntry& entry, const std::string& report_line,
                     const ShootoutResult& result, std::string& block);

// Puts the new report score line, then the new schedule score line, into
// their nodes.
void replace_score_lines(TieGame& game, ScheduleEntry& entry,
                         const ScoreLines& lines, LineList& report_lines,
                         LineList& schedule_lines);

// Inserts the five-line shootout section into the game's box score, after
// the first line past its seventh "-" line that does not begin with a digit.
// A game without a complete box score raises boxscore_block_missing.
void insert_shootout_section(LineList& boxscore_lines, BoxscoreIndex& index,
                             std::int32_t game_number,
                             const ShootoutResult& result);

}  // namespace shootout
