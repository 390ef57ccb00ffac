#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>

#include "driver/random_source.h"
#include "results/boxscore_index.h"
#include "season/game_report_reader.h"
#include "season/line_list.h"
#include "season/player_registry.h"
#include "season/team_record_index.h"

namespace shootout {

inline constexpr const char* kLogFile = "shootout.html";
inline constexpr std::size_t kLogBufferSize = 1 << 16;

// Everything one run works with, passed explicitly to the steps that need it.
struct RunState {
  RunState(std::filesystem::path folder, std::ostream& console,
           RandomSource& random)
      : folder(std::move(folder)), console(console), random(random) {}

  std::filesystem::path folder;  // the league's folder
  std::ostream& console;
  RandomSource& random;
  std::FILE* log_file = nullptr;  // shootout.html, open for appending
  std::unique_ptr<char[]> log_buffer;  // the log stream's buffer

  PlayerRegistry players;
  TieGameTable tie_game_table = make_tie_game_table();
  TeamRecordTable team_record_table;
  LineList report_lines;
  LineList boxscore_lines;
  LineList schedule_lines;
  LineList team_lines;
  BoxscoreIndex boxscore_index;
  bool tie_found = false;
};

}  // namespace shootout
