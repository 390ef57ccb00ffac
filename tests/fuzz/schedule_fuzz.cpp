// The schedule scan over any schedule.lgs, against a league in which games 1
// to 64 have tied reports and complete box scores: entries are paired,
// qualified and settled without crashing, and the schedule keeps its lines.

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "fuzz_check.h"
#include "results/tie_game_scan.h"

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

void build_league(shootout::RunState& run) {
  for (std::int32_t i = 0; i < 38; ++i) {
    run.players.player_table.push_back({i, "P" + std::to_string(i), 80, 70});
  }
  for (std::int32_t game = 1; game <= 64; ++game) {
    auto tie = std::make_unique<shootout::TieGame>();
    tie->game_number = game;
    tie->first_team_name = "Riverton";
    tie->second_team_name = "Lakeside";
    for (std::int32_t i = 0; i < 18; ++i) {
      tie->first_team_skaters[static_cast<std::size_t>(i)] = i;
      tie->second_team_skaters[static_cast<std::size_t>(i)] = 18 + i;
    }
    tie->first_team_goalies = {36, 0};
    tie->second_team_goalies = {37, 0};
    tie->score_line = run.report_lines.append("Riverton 1 , Lakeside 1\n");
    run.tie_game_table[static_cast<std::size_t>(game)] = std::move(tie);
    run.boxscore_lines.append("#" + std::to_string(game) + "\n");
    for (int dash = 0; dash < 7; ++dash) run.boxscore_lines.append("-\n");
    run.boxscore_lines.append("Stars\n");
  }
  shootout::TeamRecordIndexer indexer(run.team_record_table);
  for (int team = 1; team <= 30; ++team) {
    for (int line = 1; line <= 125; ++line) {
      const char* text = line <= 2 ? " 1  1  1000  1\n"
                         : line == 5 ? " 1  1  1  1  1000  1  1  1  1\n"
                                     : "0\n";
      indexer.index_team_line(run.team_lines.append(text));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  static NullBuffer null_buffer;
  static std::ostream console(&null_buffer);
  static std::FILE* log = std::fopen("/dev/null", "w");
  shootout::SeededRandomSource random(1);
  shootout::RunState run(".", console, random);
  run.log_file = log;
  build_league(run);
  shootout::load_line_list(content, run.schedule_lines);
  const std::size_t lines = run.schedule_lines.size();
  try {
    shootout::scan_schedule(run);
  } catch (const shootout::RunFailure&) {
    return 0;
  }
  FUZZ_CHECK(run.schedule_lines.size() == lines);
  if (!run.tie_found) FUZZ_CHECK(run.schedule_lines.joined() == content);
  return 0;
}
