// Faults of the real world injected into runs of the built executable: a
// full disk, a process killed at every step of write-back, failing system
// calls, files in the way, and two runs at once. Whatever happens, no season
// file is ever cut or mixed, and a later normal run completes the season.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "temp_folder.h"

namespace shootout {
namespace {

const char* const kKept[] = {"boxscores.lgs", "schedule.lgs", "reports.lgs", "teams.lgs"};
const char* const kStrace = "/usr/bin/strace";

using Season = std::map<std::string, std::string>;

Season season_of(const TempFolder& folder) {
  Season s;
  for (const char* name : kSeasonFiles) s[name] = folder.read(name);
  return s;
}

// The names of the files in which two seasons differ, for short messages.
std::string differing(const Season& a, const Season& b) {
  std::string names;
  for (const auto& [name, text] : a) {
    if (b.count(name) == 0 || b.at(name) != text) names += name + " ";
  }
  return names;
}

void copy_season(const TempFolder& from, const TempFolder& to) {
  for (const char* name : kSeasonFiles) to.write(name, from.read(name));
}

// Files that an update leaves beside the season while it runs.
std::vector<std::string> leftovers(const TempFolder& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().filename().string();
    if (name.ends_with(".shootout-new") || name.starts_with("shootout.journal")) {
      found.push_back(name);
    }
  }
  return found;
}

class FaultInjection : public ::testing::Test {
 protected:
  void SetUp() override {
    // Thirty teams and few games: teams.lgs, written last, is the largest
    // kept file, so a size limit can fall inside the first or the last file.
    const std::string command = "'" LEAGUE_GENERATOR_EXE "' --out '" + original_.path().string() +
                                "' --seed 11 --teams 30 --games 6 --tie-share 0.5";
    ASSERT_EQ(std::system(command.c_str()), 0);
    old_ = season_of(original_);
    TempFolder reference;
    copy_season(original_, reference);
    ASSERT_EQ(run(reference), 0);
    settled_ = season_of(reference);
    ASSERT_NE(old_, settled_);
  }

  int run(const TempFolder& folder, const std::vector<std::string>& wrapper = {},
          std::optional<rlim_t> limit = std::nullopt) {
    std::vector<std::string> argv = wrapper;
    argv.push_back(SHOOTOUT_EXE);
    return run_child(argv, {folder.path(), output_.path(), "5", limit, !wrapper.empty()});
  }

  std::string console() const { return output_.read("out"); }

  // A later normal run leaves the settled season and nothing beside it.
  void expect_next_run_settles(const TempFolder& folder, const std::string& context) {
    EXPECT_EQ(run(folder), 0) << context << "\n" << console();
    EXPECT_EQ(differing(season_of(folder), settled_), "") << context;
    EXPECT_TRUE(leftovers(folder).empty()) << context;
  }

  // Each season file is wholly its old or wholly its settled version.
  void expect_no_cut_file(const TempFolder& folder, const std::string& context) {
    const Season now = season_of(folder);
    for (const auto& [name, text] : now) {
      EXPECT_TRUE(text == old_.at(name) || text == settled_.at(name)) << context << ": " << name;
    }
  }

  int count_calls(const std::string& syscall) {
    TempFolder folder;
    copy_season(original_, folder);
    const std::filesystem::path trace = output_.path() / "trace";
    EXPECT_EQ(run(folder, {kStrace, "-f", "-qq", "-o", trace.string(), "-e", "trace=" + syscall}), 0);
    // The run has two threads: each line starts with the number of the
    // thread that made the call, padded with spaces.
    std::ifstream in(trace);
    int calls = 0;
    for (std::string line; std::getline(in, line);) {
      const std::size_t call = line.find_first_not_of("0123456789 ");
      calls += call != std::string::npos && line.compare(call, syscall.size() + 1, syscall + "(") == 0;
    }
    return calls;
  }

  TempFolder original_, output_;
  Season old_, settled_;
};

TEST_F(FaultInjection, DiskFullDuringWriteBackChangesNoSeasonFile) {
  const std::size_t first = settled_["boxscores.lgs"].size();
  const std::size_t last = settled_["teams.lgs"].size();
  std::size_t others = 0;
  for (const char* name : kKept) {
    if (std::string(name) != "teams.lgs") others = std::max(others, settled_[name].size());
  }
  ASSERT_LT(others, last);
  const struct {
    const char* where;
    rlim_t limit;
    const char* file;
  } cases[] = {
      {"early in the first file", 1000, "boxscores.lgs"},
      {"at the end of the first file", first - 1, "boxscores.lgs"},
      {"inside the last file", (others + last) / 2, "teams.lgs"},
      {"one byte short of the last file", last - 1, "teams.lgs"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    copy_season(original_, folder);
    EXPECT_EQ(run(folder, {}, c.limit), 255) << c.where;
    EXPECT_TRUE(console().ends_with(std::string(c.file) + ": write failed: File too large\n"))
        << c.where << ": " << console();
    EXPECT_EQ(differing(season_of(folder), old_), "") << c.where;
    EXPECT_TRUE(leftovers(folder).empty()) << c.where;
    expect_next_run_settles(folder, c.where);
  }
}

TEST_F(FaultInjection, KilledAtAnyStepOfWriteBackLeavesWholeSeason) {
  if (!std::filesystem::exists(kStrace)) GTEST_SKIP() << "strace is not installed";
  int kills = 0;
  for (const std::string syscall : {"write", "writev", "fsync", "rename", "unlink"}) {
    const int calls = count_calls(syscall);
    EXPECT_GT(calls, 0) << syscall;
    for (int n = 1; n <= calls; ++n) {
      const std::string context = "killed at " + syscall + " " + std::to_string(n);
      TempFolder folder;
      copy_season(original_, folder);
      run(folder, {kStrace, "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + syscall, "-e",
                   "inject=" + syscall + ":signal=SIGKILL:when=" + std::to_string(n)});
      ++kills;
      expect_no_cut_file(folder, context);
      if (leftovers(folder).empty()) {
        const Season now = season_of(folder);
        EXPECT_TRUE(now == old_ || now == settled_)
            << context << ": mixed season, new: " << differing(now, old_);
      }
      expect_next_run_settles(folder, context);
    }
  }
  EXPECT_GT(kills, 15);
}

TEST_F(FaultInjection, FailingSystemCallsNeverCutOrMixTheSeason) {
  if (!std::filesystem::exists(kStrace)) GTEST_SKIP() << "strace is not installed";
  for (const auto& [syscall, error] : std::vector<std::pair<std::string, std::string>>{
           {"write", "ENOSPC"}, {"writev", "ENOSPC"}, {"fsync", "EIO"}, {"rename", "EIO"}, {"openat", "EACCES"}}) {
    const int calls = count_calls(syscall);
    EXPECT_GT(calls, 0) << syscall;
    for (int n = 1; n <= calls; ++n) {
      const std::string context = syscall + " " + std::to_string(n) + " failing with " + error;
      TempFolder folder;
      copy_season(original_, folder);
      const int status =
          run(folder, {kStrace, "-f", "-qq", "-o", "/dev/null", "-e", "trace=" + syscall, "-e",
                       "inject=" + syscall + ":error=" + error + ":when=" + std::to_string(n)});
      expect_no_cut_file(folder, context);
      if (status != 0 && leftovers(folder).empty()) {
        EXPECT_EQ(differing(season_of(folder), old_), "")
            << context << ": a failed run changed the season";
      }
      expect_next_run_settles(folder, context);
    }
  }
}

TEST_F(FaultInjection, FileInTheWayOfANewFileIsReported) {
  TempFolder folder;
  copy_season(original_, folder);
  std::filesystem::create_directories(folder.path() / "teams.lgs.shootout-new" / "inside");
  EXPECT_EQ(run(folder), 255);
  EXPECT_TRUE(console().ends_with("teams.lgs: create failed: File exists\n")) << console();
  EXPECT_EQ(differing(season_of(folder), old_), "");
  EXPECT_EQ(leftovers(folder), std::vector<std::string>{"teams.lgs.shootout-new"});
  std::filesystem::remove_all(folder.path() / "teams.lgs.shootout-new");
  expect_next_run_settles(folder, "after the obstacle is gone");
}

TEST_F(FaultInjection, LogThatCannotBeOpenedStopsTheRun) {
  TempFolder folder;
  copy_season(original_, folder);
  std::filesystem::create_directory(folder.path() / "shootout.html");
  EXPECT_EQ(run(folder), 255);
  EXPECT_EQ(console(), "Failed to open log file.   No write permission in folder?");
  EXPECT_EQ(differing(season_of(folder), old_), "");
}

TEST_F(FaultInjection, LeftoversOfAKilledRunAreCleanedUp) {
  TempFolder folder;
  copy_season(original_, folder);
  folder.write("boxscores.lgs.shootout-new", "half a file");
  folder.write("shootout.journal.shootout-new", "shootout upd");
  expect_next_run_settles(folder, "stale new files");

  TempFolder journaled;
  copy_season(original_, journaled);
  journaled.write("shootout.journal", "shootout update\nteams.lgs 5 0\nend\n");
  journaled.write("teams.lgs.shootout-new", "cut");
  EXPECT_EQ(run(journaled), 0);
  EXPECT_TRUE(console().starts_with("Discarded an incomplete update of the season files.\n"))
      << console();
  EXPECT_EQ(differing(season_of(journaled), settled_), "");
  EXPECT_TRUE(leftovers(journaled).empty());
}

TEST_F(FaultInjection, SecondRunWaitsForTheFirstAndSettlesNothingTwice) {
  TempFolder folder;
  copy_season(original_, folder);
  // Hold the lock the way a running tool does; the started run must wait.
  const int held = open((folder.path() / "shootout.html").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  ASSERT_GE(held, 0);
  ASSERT_EQ(flock(held, LOCK_EX), 0);
  TempFolder second_output;
  const pid_t waiting = start_child({SHOOTOUT_EXE}, {folder.path(), second_output.path(), "5", {}, false});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  int status = 0;
  EXPECT_EQ(waitpid(waiting, &status, WNOHANG), 0) << "the run did not wait for the lock";
  EXPECT_EQ(differing(season_of(folder), old_), "");
  close(held);
  EXPECT_EQ(wait_child(waiting), 0);
  EXPECT_EQ(differing(season_of(folder), settled_), "");

  // Two runs started together on an unsettled season: one settles, the
  // other then finds nothing left.
  TempFolder together;
  copy_season(original_, together);
  TempFolder out_a, out_b;
  const pid_t a = start_child({SHOOTOUT_EXE}, {together.path(), out_a.path(), "5", {}, false});
  const pid_t b = start_child({SHOOTOUT_EXE}, {together.path(), out_b.path(), "5", {}, false});
  EXPECT_EQ(wait_child(a), 0);
  EXPECT_EQ(wait_child(b), 0);
  EXPECT_EQ(differing(season_of(together), settled_), "");
  const bool a_found = out_a.read("out").find("No tie games found.") == std::string::npos;
  const bool b_found = out_b.read("out").find("No tie games found.") == std::string::npos;
  EXPECT_NE(a_found, b_found) << out_a.read("out") << out_b.read("out");
}

}  // namespace
}  // namespace shootout
