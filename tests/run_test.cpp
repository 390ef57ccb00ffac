#include "driver/run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "scripted_random.h"
#include "temp_folder.h"

namespace shootout {
namespace {

// A small league: players F0..F17 and S0..S17 (ratings rising with the
// number, so with zero bonus draws the shooting order is 17 down to 0) and
// the goalies GA and GB. Game 1 is not tied; game 2 (January, Riverton 1
// against Lakeside 2) and game 3 (July, Lakeside against Riverton) are.
struct League {
  std::string players, reports, boxscores, schedule, teams;

  League() {
    players = "38\n";
    auto player = [&](const std::string& name, int rating) {
      players += std::to_string(rating) + " 7 " + std::to_string(rating) + "\n";
      for (int i = 0; i < 12; ++i) players += "x\n";
      players += " " + name + "\n";
      for (int i = 0; i < 6; ++i) players += "y\n";
    };
    for (int i = 0; i < 18; ++i) player("F" + std::to_string(i), 60 + i);
    for (int i = 0; i < 18; ++i) player("S" + std::to_string(i), 60 + i);
    player("GA", 50);
    player("GB", 50);

    reports = report(1, "Riverton 2 , Lakeside 3", 'F', 'S') +
              report(2, "Riverton. 2 , Lakeside 2", 'F', 'S') +
              report(3, "Lakeside 1 , Riverton 1", 'S', 'F');
    boxscores = box(1) + box(2) + box(3);
    schedule = "5 1 2026 1 2\n2 3\n20 1 2026 1 2\n2 2\n3 7 2026 2 1\n1 1\n";
    teams = team(" 10  5  3  2\n", " 1  1  1  1\n", " 1  2  3  4  5  6  7  8  9\n") +
            team(" 2  2  2  2\n", " 8  6  1  4\n", " 9  8  7  6  5  4  3  2  1\n");
  }

  static std::string report(int n, const std::string& score, char first, char second) {
    std::string s = "#" + std::to_string(n) + "\n" + score + "\n";
    for (int i = 0; i < 9; ++i) s += "notes\n";
    auto skaters = [&](char team) {
      for (int i = 0; i < 18; ++i) {
        const std::string name = std::string(1, team) + std::to_string(i);
        s += "  " + name + std::string(23 - name.size(), ' ') + " 1 0\n";  // 23-wide field
      }
    };
    auto goalies = [&](const char* name) { s += "  " + std::string(name) + "\n  GA\n"; };
    skaters(first);
    s += "goalies\n";
    goalies(first == 'F' ? "GA" : "GB");
    s += "a\nb\nc\n";
    skaters(second);
    s += "goalies\n";
    goalies(second == 'F' ? "GA" : "GB");
    return s + "end\n";
  }

  static std::string box(int n) {
    std::string s = "#" + std::to_string(n) + "\n";
    for (int i = 0; i < 7; ++i) s += "text\n-------\n";
    return s + "1 goal\nStars\n\n";
  }

  static std::string team(const std::string& l1, const std::string& l2, const std::string& l5) {
    std::string s = l1 + l2 + "Name\nCoach\n" + l5;
    for (int i = 6; i <= 125; ++i) s += "0\n";
    return s;
  }

  void write_to(const TempFolder& folder) const {
    folder.write("players.lgs", players);
    folder.write("reports.lgs", reports);
    folder.write("boxscores.lgs", boxscores);
    folder.write("schedule.lgs", schedule);
    folder.write("teams.lgs", teams);
  }
};

constexpr int kGoal = 0, kMiss = 99;

// Game 2: Riverton scores twice, Lakeside misses twice. Game 3: Riverton
// (second) scores once, Lakeside misses three times.
std::vector<int> both_games_draws() {
  std::vector<int> d(36, 0);
  for (int x : {kGoal, kMiss, kGoal, kMiss}) d.push_back(x);
  d.insert(d.end(), 36, 0);
  for (int x : {kMiss, kGoal, kMiss, kMiss, kMiss}) d.push_back(x);
  return d;
}

const char* const kOpening =
    "Opening players.lgs\nOpening reports.lgs\nOpening boxscores.lgs\n"
    "Opening schedule.lgs\nOpening teams.lgs\n";

const char* const kGame2Block =
    "<h2>1-20-2026 Riverton 3 , Lakeside 2 (SO)\n</h2>\n<h4>Riverton win 2-0\n</h4>\n"
    "<h4>Riverton -  F17, goal; F16, goal;\n</h4>\n"
    "<h4>Lakeside -  S17, miss; S16, miss;\n</h4><hr>\n\n";
const char* const kGame3Block =
    "<h2>7-3-2026 Lakeside 1 , Riverton 2 (SO)\n</h2>\n<h4>Riverton win 1-0\n</h4>\n"
    "<h4>Lakeside -  S17, miss; S16, miss; S15, miss;\n</h4>\n"
    "<h4>Riverton -  F17, goal; F16, miss;\n</h4><hr>\n\n";

struct Outcome {
  int status;
  std::string console;
};

// Runs in the folder with scripted draws; a run that completes must have
// used every scripted draw, no more and no fewer.
Outcome run_in(const TempFolder& folder, std::vector<int> draws) {
  std::ostringstream console;
  const std::size_t scripted = draws.size();
  ScriptedRandom random(std::move(draws));
  RunState run(folder.path(), console, random);
  const int status = run_shootout(run);
  if (status == 0) {
    EXPECT_EQ(random.used(), scripted);
  }
  return {status, console.str()};
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return text.replace(at, from.size(), to);
}

TEST(Run, SettlesEveryTiedGameAndRewritesTheSeason) {
  TempFolder folder;
  const League league;
  league.write_to(folder);
  const Outcome out = run_in(folder, both_games_draws());

  EXPECT_EQ(out.status, 0);
  EXPECT_EQ(out.console, std::string(kOpening) +
                             "Found tie game between Riverton and Lakeside\n"
                             "Successful shootout between Riverton and Lakeside\n"
                             "Found tie game between Lakeside and Riverton\n"
                             "Successful shootout between Lakeside and Riverton\n"
                             "Updating boxscores.lgs\nUpdating schedule.lgs\n"
                             "Updating reports.lgs\nUpdating teams.lgs\n"
                             "Freeing memory\nDone!\n");
  EXPECT_EQ(folder.read("shootout.html"), std::string(kGame2Block) + kGame3Block);
  EXPECT_EQ(folder.read("schedule.lgs"),
            "5 1 2026 1 2\n2 3\n20 1 2026 1 2\n 3  2 \n3 7 2026 2 1\n 1  2 \n");
  EXPECT_EQ(folder.read("reports.lgs"),
            replaced(replaced(league.reports, "Riverton. 2 , Lakeside 2\n",
                              "Riverton 3 , Lakeside 2 (SO)\n"),
                     "Lakeside 1 , Riverton 1\n", "Lakeside 1 , Riverton 2 (SO)\n"));
  const std::string section2 =
      "Shootout\n--------\nRiverton win 2-0\nRiverton -  F17, goal; F16, goal;\n"
      "Lakeside -  S17, miss; S16, miss;\n";
  const std::string section3 =
      "Shootout\n--------\nRiverton win 1-0\nLakeside -  S17, miss; S16, miss; S15, miss;\n"
      "Riverton -  F17, goal; F16, miss;\n";
  EXPECT_EQ(folder.read("boxscores.lgs"),
            League::box(1) + replaced(League::box(2), "Stars\n", "Stars\n" + section2) +
                replaced(League::box(3), "Stars\n", "Stars\n" + section3));
  // Only game 2 (January) moves the standings; game 3 is in July.
  EXPECT_EQ(folder.read("teams.lgs"),
            League::team(" 11  5  2  2\n", " 1  1  1  1\n", " 1  3  3  4  4  6  7  8  9\n") +
                League::team(" 2  2  2  2\n", " 8  6  0  5\n", " 9  8  7  7  4  4  3  2  1\n"));
  EXPECT_EQ(folder.read("players.lgs"), league.players);

  // A second run finds nothing left to settle and changes nothing.
  const auto before = folder.snapshot();
  const Outcome again = run_in(folder, {});
  EXPECT_EQ(again.status, 0);
  EXPECT_EQ(again.console, std::string(kOpening) + "No tie games found.\nFreeing memory\nDone!\n");
  EXPECT_EQ(folder.snapshot(), before);
}

struct FailingGame {
  const char* name;
  std::string (*change)(League&);  // edits the league, returns the console tail
  std::string log;
};
void PrintTo(const FailingGame& c, std::ostream* os) { *os << c.name; }


class RunFailsDuringScan : public ::testing::TestWithParam<FailingGame> {};

TEST_P(RunFailsDuringScan, KeepsEarlierBlocksAndChangesNoSeasonFile) {
  TempFolder folder;
  League league;
  const std::string console_tail = GetParam().change(league);
  league.write_to(folder);
  const auto before = folder.snapshot();
  const Outcome out = run_in(folder, both_games_draws());
  EXPECT_EQ(out.status, 255);
  EXPECT_EQ(out.console, std::string(kOpening) + console_tail);
  EXPECT_EQ(folder.read("shootout.html"), GetParam().log);
  auto after = folder.snapshot();
  after.erase("shootout.html");
  EXPECT_EQ(after, before);
}

const std::string kGame2Lines =
    "Found tie game between Riverton and Lakeside\nSuccessful shootout between Riverton and Lakeside\n";
const std::string kGame3Lines =
    "Found tie game between Lakeside and Riverton\nSuccessful shootout between Lakeside and Riverton\n";

INSTANTIATE_TEST_SUITE_P(
    Failures, RunFailsDuringScan,
    ::testing::Values(
        FailingGame{"NegativeTiesAtFirstGame",
                    [](League& l) -> std::string {
                      l.teams = replaced(l.teams, " 8  6  1  4\n", " 8  6  0  4\n");
                      return kGame2Lines + "Negative ties.  Abnormal termination\n";
                    },
                    "Failed to update team records correctly.  Abnormal termination"},
        FailingGame{"NegativeTiesAtSecondGame",
                    [](League& l) -> std::string {
                      l.schedule = replaced(l.schedule, "3 7 2026", "3 10 2026");
                      l.teams = replaced(l.teams, " 1  1  1  1\n", " 1  1  0  1\n");
                      return kGame2Lines + kGame3Lines + "Negative ties.  Abnormal termination\n";
                    },
                    std::string(kGame2Block) +
                        "Failed to update team records correctly.  Abnormal termination"},
        FailingGame{"BoxscoreMissingAtSecondGame",
                    [](League& l) -> std::string {
                      l.boxscores = League::box(1) + League::box(2);
                      return kGame2Lines + kGame3Lines + "General Failure\n";
                    },
                    std::string(kGame2Block) + kGame3Block +
                        "Failed to resolve shooutout correctly.  Abnormal termination 2 "},
        FailingGame{"UnresolvableShootout",
                    [](League& l) -> std::string {
                      // Goalies of 100 and 100, skaters of 30: no attempt can score.
                      l.players = replaced(l.players, "50 7 50\n", "100 7 100\n");
                      l.players = replaced(l.players, "50 7 50\n", "100 7 100\n");
                      for (int i = 0; i < 18; ++i) {
                        const std::string r = std::to_string(60 + i);
                        for (int twice = 0; twice < 2; ++twice) {
                          l.players = replaced(l.players, r + " 7 " + r + "\n", "30 8 30\n");
                        }
                      }
                      return "Found tie game between Riverton and Lakeside\nError - - -";
                    },
                    "Failed to resolve shooutout correctly.  Abnormal termination"},
        FailingGame{"NoPlayersDeclared",
                    [](League& l) -> std::string {
                      l.players = "0\n";
                      return "Found tie game between Riverton and Lakeside\n"
                             "players.lgs: declares no players, so the rosters of tied game 2 "
                             "name nobody\n";
                    },
                    "players.lgs: declares no players, so the rosters of tied game 2 name "
                    "nobody\n"}),
    [](const auto& info) { return info.param.name; });

TEST(Run, MissingSeasonFileStopsAtItsOpeningMessage) {
  std::string opened;
  for (const char* missing : kSeasonFiles) {
    opened += std::string("Opening ") + missing + "\n";
    TempFolder folder;
    League().write_to(folder);
    std::filesystem::remove(folder.path() / missing);
    const auto before = folder.snapshot();
    const Outcome out = run_in(folder, {});
    EXPECT_EQ(out.status, 255) << missing;
    EXPECT_EQ(out.console, opened) << missing;
    EXPECT_EQ(folder.read("shootout.html"), std::string(missing) + " file not found.\n");
    auto after = folder.snapshot();
    after.erase("shootout.html");
    auto unchanged = before;
    unchanged.erase("shootout.html");
    EXPECT_EQ(after, unchanged) << missing;
  }
}

// Files are loaded side by side, yet a run reports the failure that loading
// them one by one in order meets first.
TEST(Run, TheFirstMissingFileInOrderIsTheOneReported) {
  const std::size_t count = std::size(kSeasonFiles);
  for (std::size_t first = 0; first < count; ++first) {
    for (std::size_t later = first + 1; later < count; ++later) {
      TempFolder folder;
      League().write_to(folder);
      std::filesystem::remove(folder.path() / kSeasonFiles[first]);
      std::filesystem::remove(folder.path() / kSeasonFiles[later]);
      std::string opened;
      for (std::size_t i = 0; i <= first; ++i) opened += std::string("Opening ") + kSeasonFiles[i] + "\n";
      const Outcome out = run_in(folder, {});
      EXPECT_EQ(out.status, 255);
      EXPECT_EQ(out.console, opened) << kSeasonFiles[first] << " and " << kSeasonFiles[later];
      EXPECT_EQ(folder.read("shootout.html"), std::string(kSeasonFiles[first]) + " file not found.\n");
    }
  }
}

TEST(Run, LogThatCannotBeOpenedStopsBeforeAnySeasonFile) {
  TempFolder folder;
  League().write_to(folder);
  std::filesystem::create_directory(folder.path() / "shootout.html");
  const Outcome out = run_in(folder, {});
  EXPECT_EQ(out.status, 255);
  EXPECT_EQ(out.console, "Failed to open log file.   No write permission in folder?");
}

TEST(Run, UnreadableSeasonFileIsReportedWithTheSystemError) {
  TempFolder folder;
  League().write_to(folder);
  std::filesystem::remove(folder.path() / "schedule.lgs");
  std::filesystem::create_directory(folder.path() / "schedule.lgs");
  const Outcome out = run_in(folder, {});
  EXPECT_EQ(out.status, 255);
  const std::string message = "schedule.lgs: read failed: Is a directory\n";
  EXPECT_EQ(out.console, std::string(kOpening).substr(0, std::string(kOpening).find("Opening teams")) + message);
  EXPECT_EQ(folder.read("shootout.html"), message);
}

TEST(Run, NoTieLeavesSeasonFilesUntouchedAndCreatesEmptyLog) {
  // Game 2's report is tied; the schedule never pairs it with tied scores.
  for (const char* schedule : {"", "5 1 2026 1 2\n2 3\n", "5 1 2026 1 2\n2 3\n2 2\n",
                               "5 1 2026 1 2\n2 3\n20 1 2026 1 2\n2 3"}) {
    TempFolder folder;
    League league;
    league.schedule = schedule;
    league.reports = League::report(2, "Riverton 2 , Lakeside 2", 'F', 'S');
    league.write_to(folder);
    const auto stamp = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    for (const char* name : kSeasonFiles) {
      std::filesystem::last_write_time(folder.path() / name, stamp);
    }
    const auto before = folder.snapshot();
    const Outcome out = run_in(folder, {});
    EXPECT_EQ(out.status, 0) << schedule;
    EXPECT_EQ(out.console, std::string(kOpening) + "No tie games found.\nFreeing memory\nDone!\n");
    EXPECT_EQ(folder.read("shootout.html"), "");
    auto after = folder.snapshot();
    after.erase("shootout.html");
    EXPECT_EQ(after, before);
    for (const char* name : kSeasonFiles) {
      EXPECT_EQ(std::filesystem::last_write_time(folder.path() / name), stamp) << name;
    }
  }
}

TEST(Run, EntriesAfterGame3999ArePassedOver) {
  TempFolder folder;
  League league;
  league.schedule.clear();
  for (int game = 1; game <= 4001; ++game) league.schedule += "20 1 2026 1 2\n1 1\n";
  league.reports = League::report(3999, "Riverton 1 , Lakeside 1", 'F', 'S');
  league.boxscores = League::box(3999);
  league.write_to(folder);
  std::vector<int> draws(36, 0);
  for (int x : {kGoal, kMiss, kGoal, kMiss}) draws.push_back(x);
  const Outcome out = run_in(folder, draws);
  EXPECT_EQ(out.status, 0);
  const std::string schedule = folder.read("schedule.lgs");
  EXPECT_EQ(schedule.find(" 2  1 \n"), (3999 - 1) * std::string("20 1 2026 1 2\n1 1\n").size() +
                                            std::string("20 1 2026 1 2\n").size());
}

}  // namespace
}  // namespace shootout
