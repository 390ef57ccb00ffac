#include "driver/run.h"

#include <array>
#include <cerrno>
#include <exception>
#include <filesystem>
#include <future>
#include <iterator>
#include <optional>
#include <string>

#include "driver/file_system.h"
#include "driver/run_failure.h"
#include "driver/run_state.h"
#include "driver/season_commit.h"
#include "driver/season_file.h"
#include "driver/second_thread.h"
#include "results/schedule_entry.h"
#include "results/tie_game_scan.h"
#include "season/game_report_reader.h"
#include "season/halved_report_scan.h"
#include "season/pending_rosters.h"
#include "season/player_registry.h"
#include "season/roster_field_index.h"
#include "season/team_record_index.h"

namespace shootout {

namespace {

constexpr const char* kSeasonFiles[] = {kPlayersFile, kReportsFile, kBoxscoresFile,
                                        kScheduleFile, kTeamsFile};
constexpr std::size_t kPlayers = 0, kReports = 1, kBoxscores = 2, kSchedule = 3, kTeams = 4;

// The failure of each file's load, if any, kept to be reported in file order.
using LoadFailures = std::array<std::exception_ptr, std::size(kSeasonFiles)>;

template <typename Load>
void load_file(LoadFailures& failures, std::size_t file, Load load) {
  try {
    load();
  } catch (...) {
    failures[file] = std::current_exception();
  }
}

void load_season(RunState& run) {
  // Two threads share the loading, each working on parts of the run state
  // of its own. This one reads the reports, which needs no players to begin
  // with, and scans their first half; the second loads the players, hands
  // them over to this one (from then on it resolves each tied game's roster
  // names as it reads them) and scans the second half of the reports. This
  // one then loads the three other files and joins the two halves. The
  // console lines and the failure reported are those of loading the files
  // one by one in order.
  LoadFailures failures;
  PendingRosters rosters;
  std::optional<RosterFieldIndex> fields;
  std::optional<HalvedReportScan> reports;
  std::promise<void> reports_read;  // `reports` is set, or the file failed
  std::future<void> reports_known = reports_read.get_future();
  auto others = on_second_thread([&run, &failures, &rosters, &fields, &reports, &reports_known] {
    load_file(failures, kPlayers, [&] {
      load_players(read_season_file(run.folder, kPlayersFile).view(), run.players);
      rosters.players_ready(run.players, fields.emplace(run.players));
    });
    reports_known.wait();
    if (failures[kPlayers] || !reports) return;
    PendingRosters second_half;
    second_half.players_ready(run.players, *fields);
    reports->scan_second(second_half);
  });
  load_file(failures, kReports, [&] {
    try {
      run.report_lines.load_unsplit(read_season_file(run.folder, kReportsFile));
      reports.emplace(run.report_lines.empty() ? std::string_view{}
                                               : run.report_lines.head()->text);
    } catch (...) {
      reports_read.set_value();
      throw;
    }
    reports_read.set_value();
    reports->scan_first(rosters);
  });
  load_file(failures, kBoxscores, [&] {
    run.boxscore_lines.load_unsplit(read_season_file(run.folder, kBoxscoresFile));
    run.boxscore_index.build(run.boxscore_lines);
  });
  load_file(failures, kSchedule, [&] {
    load_line_list(read_season_file(run.folder, kScheduleFile), run.schedule_lines);
  });
  load_file(failures, kTeams, [&] {
    TeamRecordIndexer indexer(run.team_record_table);
    load_line_list(read_season_file(run.folder, kTeamsFile), run.team_lines,
                   [&indexer](LineNode* node) { indexer.index_team_line(node); });
  });
  others.get();
  if (!failures[kReports]) {
    load_file(failures, kReports, [&] {
      place_found_games(run.report_lines, reports->join(rosters), run.tie_game_table, rosters);
    });
  }
  for (std::size_t file = 0; file < failures.size(); ++file) {
    run.console << "Opening " << kSeasonFiles[file] << "\n";
    if (failures[file]) std::rethrow_exception(failures[file]);
  }
  // The games read before the players were ready.
  rosters.resolve_all();
}

// The log must hold every settled game's block before the season files
// record the results.
void flush_log(RunState& run) {
  if (std::fflush(run.log_file) != 0 || std::ferror(run.log_file)) {
    abort_io(kLogFile, "write", errno);
  }
}

void write_back(RunState& run) {
  commit_season(run.folder,
                {{kBoxscoresFile, &run.boxscore_lines},
                 {kScheduleFile, &run.schedule_lines},
                 {kReportsFile, &run.report_lines},
                 {kTeamsFile, &run.team_lines}},
                run.console);
}

void run_sequence(RunState& run) {
  run.log_file = open_file(run.folder / kLogFile, "ab");
  if (run.log_file == nullptr) abort_run(FailureKind::log_unavailable);
  // A settled season appends a block per game: write them in large pieces.
  run.log_buffer = std::make_unique<char[]>(kLogBufferSize);
  std::setvbuf(run.log_file, run.log_buffer.get(), _IOFBF, kLogBufferSize);
  // One run at a time per folder: a second run waits here for the first to
  // finish and then works on the files the first one wrote.
  if (const int error = lock_exclusive(run.log_file); error != 0) {
    abort_io(kLogFile, "lock", error);
  }
  recover_season(run.folder, run.console);
  load_season(run);
  run.tie_found = false;
  scan_schedule(run);
  if (!run.tie_found) {
    run.console << "No tie games found.\n";
  } else {
    flush_log(run);
    write_back(run);
  }
  std::fclose(run.log_file);
  run.log_file = nullptr;
  run.console << "Freeing memory\n";
  run.console << "Done!\n";
}

}  // namespace

int run_shootout(RunState& run) {
  try {
    run_sequence(run);
    return 0;
  } catch (const RunFailure& failure) {
    run.console << console_text(failure);
    run.console.flush();
    if (run.log_file != nullptr) {
      const std::string text = log_text(failure);
      std::fwrite(text.data(), 1, text.size(), run.log_file);
      std::fclose(run.log_file);
      run.log_file = nullptr;
    }
    return 255;
  }
}

}  // namespace shootout
