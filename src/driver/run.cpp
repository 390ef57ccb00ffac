#include "driver/run.h"

#include <cerrno>
#include <exception>
#include <functional>
#include <future>
#include <iterator>
#include <string>
#include <system_error>

#include "driver/run_failure.h"
#include "driver/file_system.h"
#include "driver/season_commit.h"
#include "driver/season_file.h"
#include "results/schedule_entry.h"
#include "results/tie_game_scan.h"
#include "season/game_report_reader.h"
#include "season/player_registry.h"
#include "season/team_record_index.h"

namespace shootout {

namespace {

FileText open_and_read(RunState& run, const char* name) {
  run.console << "Opening " << name << "\n";
  return read_season_file(run.folder, name);
}

// Loading the files that need nothing from players.lgs or reports.lgs came
// to this: how many of them were loaded, in order, and the failure that
// stopped the next one.
struct IndependentLoad {
  std::size_t loaded = 0;
  std::exception_ptr failure;
};

constexpr const char* kIndependentFiles[] = {kBoxscoresFile, kScheduleFile, kTeamsFile};

IndependentLoad load_independent_files(RunState& run) {
  IndependentLoad load;
  try {
    run.boxscore_lines.load_unsplit(read_season_file(run.folder, kBoxscoresFile));
    run.boxscore_index.build(run.boxscore_lines);
    ++load.loaded;
    load_line_list(read_season_file(run.folder, kScheduleFile), run.schedule_lines);
    ++load.loaded;
    TeamRecordIndexer indexer(run.team_record_table);
    load_line_list(read_season_file(run.folder, kTeamsFile), run.team_lines,
                   [&indexer](LineNode* node) { indexer.index_team_line(node); });
    ++load.loaded;
  } catch (...) {
    load.failure = std::current_exception();
  }
  return load;
}

void load_season(RunState& run) {
  // The box scores, the schedule and the teams are loaded on a second thread
  // while the players and the reports are loaded here: they touch disjoint
  // parts of the run state. The console lines and the failure reported are
  // those of loading the files one by one in order.
  std::future<IndependentLoad> independent;
  try {
    independent = std::async(std::launch::async, load_independent_files, std::ref(run));
  } catch (const std::system_error&) {
    independent = std::async(std::launch::deferred, load_independent_files, std::ref(run));
  }
  load_players(open_and_read(run, kPlayersFile).view(), run.players);
  load_reports(open_and_read(run, kReportsFile), run.players, run.report_lines,
               run.tie_game_table);
  const IndependentLoad load = independent.get();
  for (std::size_t i = 0; i < std::size(kIndependentFiles); ++i) {
    run.console << "Opening " << kIndependentFiles[i] << "\n";
    if (i == load.loaded) std::rethrow_exception(load.failure);
  }
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
