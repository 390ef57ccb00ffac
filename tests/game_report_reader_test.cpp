#include "season/game_report_reader.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <thread>
#include <vector>

#include "failure_matchers.h"
#include "season/halved_report_scan.h"

namespace shootout {
namespace {

TEST(ScanScoreLine, SplitsNamesAndScores) {
  struct Case {
    const char* line;
    const char* first_name;
    std::optional<std::int32_t> first;
    const char* second_name;
    std::optional<std::int32_t> second;
  };
  const Case cases[] = {
      {"Riverton 3 , Lakeside 3\n", "Riverton ", 3, " Lakeside ", 3},
      {"Riverton 12 , Lakeside 20\n", "Riverton ", 12, " Lakeside ", 20},
      {"Riverton 3 , Lakeside 4 (SO)\n", "Riverton ", 3, " Lakeside ", 4},
      {"St. Paul, MN 2 , Duluth 2\n", "St. Paul, MN ", 2, " Duluth ", 2},
      {"A 1 , B 2 , C 5\n", "A ", 1, " B  C ", 5},
      {"Riverton , Lakeside 3\n", "Riverton , Lakeside ", 3, "", 3},
      {"A 1 , B\n", "A ", 1, " B\n", std::nullopt},
      {"A 99999999999 , B 1\n", "A ", std::nullopt, " B ", 1},
  };
  for (const Case& c : cases) {
    const ScoreLine s = scan_score_line(c.line);
    EXPECT_EQ(s.first_team_name, c.first_name) << c.line;
    EXPECT_EQ(s.first_score, c.first) << c.line;
    EXPECT_EQ(s.second_team_name, c.second_name) << c.line;
    EXPECT_EQ(s.second_score, c.second) << c.line;
  }
}

TEST(ReportHeaderNumber, AcceptsOnlyHashAndAGameNumber) {
  const std::pair<const char*, std::optional<std::int32_t>> cases[] = {
      {"#12\n", 12},         {"# 12 extra\n", 12}, {"##12\n", std::nullopt},
      {"#\n", std::nullopt}, {"#0\n", std::nullopt}, {"#3999", 3999},
      {"#4000\n", std::nullopt}, {"#-5\n", std::nullopt}, {"12\n", std::nullopt},
  };
  for (auto [line, expected] : cases) {
    EXPECT_EQ(report_header_number(line), expected) << line;
  }
}

// A registry whose player i is named "P<i>x" (no name begins with another).
PlayerRegistry numbered_players(int count) {
  PlayerRegistry r;
  for (int i = 0; i < count; ++i) {
    r.player_table.push_back({i, "P" + std::to_string(i) + "x", 0, 0});
  }
  index_player_names(r);
  return r;
}

std::string roster_line(int player) {
  std::string name = "P" + std::to_string(player) + "x";
  return "  " + name + std::string(23 - name.size(), ' ') + " 5 1 0\n";
}

// A tied report: rosters name players base .. base+39 in file order.
std::string tied_report(int number, int base, const char* score = "A 2 , B 2") {
  std::string s = "#" + std::to_string(number) + "\n" + score + "\n";
  for (int i = 0; i < 9; ++i) s += i == 3 ? "#77 not a header here\n" : "text\n";
  int p = base;
  auto roster = [&](int n) {
    for (int i = 0; i < n; ++i) s += roster_line(p++);
  };
  roster(18);
  s += "G\n";
  roster(2);
  s += "x\ny\nz\n";
  roster(18);
  s += "G\n";
  roster(2);
  return s;
}

struct Loaded {
  PlayerRegistry players = numbered_players(100);
  LineList lines;
  TieGameTable table = make_tie_game_table();
};

TEST(LoadReports, BuildsTieGameWithRostersAndScoreLineNode) {
  Loaded l;
  const std::string file = "intro\n" + tied_report(12, 10, "Riverton. 3 , Lakeside 3") + "tail";
  load_reports(FileText::copy_of(file), l.players, l.lines, l.table);
  EXPECT_EQ(l.lines.joined(), file);
  const TieGame* g = l.table[12].get();
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->game_number, 12);
  EXPECT_EQ(g->first_team_name, "Riverton");
  EXPECT_EQ(g->second_team_name, "Lakeside");
  EXPECT_EQ(g->score_line->text, "Riverton. 3 , Lakeside 3\n");
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(g->first_team_skaters[i], 10 + i);
    EXPECT_EQ(g->second_team_skaters[i], 30 + i);
  }
  EXPECT_EQ(g->first_team_goalies[0], 28);
  EXPECT_EQ(g->first_team_goalies[1], 29);
  EXPECT_EQ(g->second_team_goalies[0], 48);
  EXPECT_EQ(g->second_team_goalies[1], 49);
  EXPECT_EQ(l.table[77], nullptr);  // a header-like line inside the block
}

TEST(LoadReports, UntiedGameDoesNotConsumeTheNextHeader) {
  Loaded l;
  load_reports(FileText::copy_of("#3\nA 1 , B 2\n" + tied_report(4, 0)), l.players, l.lines, l.table);
  EXPECT_EQ(l.table[3], nullptr);
  EXPECT_NE(l.table[4], nullptr);
}

TEST(LoadReports, LaterReportWithSameNumberWins) {
  Loaded l;
  load_reports(FileText::copy_of(tied_report(5, 0) + tied_report(5, 50)), l.players, l.lines, l.table);
  ASSERT_NE(l.table[5], nullptr);
  EXPECT_EQ(l.table[5]->first_team_skaters[0], 50);
}

TEST(LoadReports, ShortRosterLinesGiveIndexZero) {
  std::string file = tied_report(6, 10);
  // The first skater line becomes an empty line, the second "  " alone.
  const std::string first = roster_line(10), second = roster_line(11);
  file.replace(file.find(first), first.size(), "\n");
  file.replace(file.find(second), second.size(), "  \n");
  Loaded l;
  load_reports(FileText::copy_of(file), l.players, l.lines, l.table);
  ASSERT_NE(l.table[6], nullptr);
  EXPECT_EQ(l.table[6]->first_team_skaters[0], 0);
  EXPECT_EQ(l.table[6]->first_team_skaters[1], 0);
  EXPECT_EQ(l.table[6]->first_team_skaters[2], 12);
}

TEST(LoadReports, HeadersThatAreNoTieAreOrdinaryLines) {
  for (const char* file : {"#7\n", "#7\nA , B\n", "#\nA 1 , B 1\n",
                           "#0\nA 1 , B 1\n", "#4000\nA 1 , B 1\n"}) {
    Loaded l;
    load_reports(FileText::copy_of(file), l.players, l.lines, l.table);
    EXPECT_EQ(l.lines.joined(), file);
    for (const auto& slot : l.table) EXPECT_EQ(slot, nullptr) << file;
  }
}

// The players may become ready before, while or after the reports are read:
// the rosters come out the same, with games replaced by later reports of the
// same number among them.
TEST(LoadReports, RostersComeOutTheSameWhenTheyWaitForThePlayers) {
  std::string file;
  for (int report = 0; report < 600; ++report) {
    file += tied_report(1 + report % 150, (report * 7) % 60);
  }
  Loaded once;
  load_reports(FileText::copy_of(file), once.players, once.lines, once.table);

  for (const bool ready_meanwhile : {false, true}) {
    Loaded later;
    const RosterFieldIndex fields(later.players);
    PendingRosters pending;
    std::thread players;
    if (ready_meanwhile) players = std::thread([&] { pending.players_ready(later.players, fields); });
    read_reports(FileText::copy_of(file), later.lines, later.table, pending);
    if (ready_meanwhile) {
      players.join();
    } else {
      pending.players_ready(later.players, fields);
    }
    pending.resolve_all();

    for (std::size_t n = 0; n < once.table.size(); ++n) {
      ASSERT_EQ(once.table[n] == nullptr, later.table[n] == nullptr) << "game " << n;
      if (once.table[n] == nullptr) continue;
      EXPECT_EQ(later.table[n]->first_team_skaters, once.table[n]->first_team_skaters) << n;
      EXPECT_EQ(later.table[n]->first_team_goalies, once.table[n]->first_team_goalies) << n;
      EXPECT_EQ(later.table[n]->second_team_skaters, once.table[n]->second_team_skaters) << n;
      EXPECT_EQ(later.table[n]->second_team_goalies, once.table[n]->second_team_goalies) << n;
    }
  }
}

TEST(LoadReports, FileEndingInsideTiedBlockFails) {
  const std::string full = tied_report(9, 0);
  const std::string cut = full.substr(0, full.size() - roster_line(49).size());
  Loaded l;
  const RunFailure f =
      expect_failure([&] { load_reports(FileText::copy_of(cut), l.players, l.lines, l.table); });
  EXPECT_EQ(f.kind(), FailureKind::season_file_invalid);
  EXPECT_EQ(f.detail(),
            "reports.lgs line 55: file ends inside the roster block of tied game 9");
}

// The games found, or the failure met, as text to compare.
std::string describe(const std::vector<FoundGame>& games) {
  std::string out;
  for (const FoundGame& f : games) {
    out += std::to_string(f.game->game_number) + "@" + std::to_string(f.score_start) + "-" +
           std::to_string(f.score_end) + " " + f.game->first_team_name + "/" +
           f.game->second_team_name;
    for (const auto* roster : {&f.game->first_team_skaters, &f.game->second_team_skaters}) {
      for (std::int32_t p : *roster) out += " " + std::to_string(p);
    }
    for (const auto* goalies : {&f.game->first_team_goalies, &f.game->second_team_goalies}) {
      for (std::int32_t p : *goalies) out += " " + std::to_string(p);
    }
    out += "\n";
  }
  return out;
}

template <typename Scan>
std::string outcome(Scan scan) {
  try {
    return describe(scan());
  } catch (const RunFailure& failure) {
    return "failure: " + failure.detail();
  }
}

// Halved at any header line, or at none, the reports come out exactly as one
// scan finds them: roster blocks that reach over the half (a "#" line inside
// a block, a header whose score line is another header), reports of the same
// number in both halves, and texts that end inside a roster block.
TEST(HalvedReportScan, EveryHalvingComesOutAsOneScan) {
  const PlayerRegistry players = numbered_players(100);
  const RosterFieldIndex fields(players);
  std::mt19937 generator(17);
  for (int text = 0; text < 12; ++text) {
    std::string all;
    for (int piece = 0; piece < 14; ++piece) {
      const int number = 1 + static_cast<int>(generator() % 6);
      switch (generator() % 5) {
        case 0: all += "#" + std::to_string(number) + "\nA 1 , B 2\n"; break;
        case 1: all += "#" + std::to_string(number) + "\n"; break;  // its score line: the next header
        case 2: all += "##" + std::to_string(number) + "\nA 1 , B 1\ntext\n"; break;
        default: all += tied_report(number, static_cast<int>(generator() % 60)); break;
      }
    }
    if (text % 3 == 2) {  // ends inside a roster block
      all += tied_report(2, 0);
      all.resize(all.size() - roster_line(49).size() - 5);
    }
    auto ready = [&](PendingRosters& pending) { pending.players_ready(players, fields); };
    const std::string whole = outcome([&] {
      PendingRosters pending;
      ready(pending);
      return scan_reports(all, 0, all.size(), pending).games;
    });
    std::vector<std::size_t> middles{0, all.size()};
    for (std::size_t at = 0; at < all.size(); at = end_of_line(all, at)) {
      if (all[at] == '#') middles.push_back(at);
    }
    for (std::size_t middle : middles) {
      for (const bool second_scanned : {true, false}) {
        const std::string halved = outcome([&] {
          PendingRosters first, second;
          ready(first);
          ready(second);
          HalvedReportScan scan(all, middle);
          scan.scan_first(first);
          if (second_scanned) scan.scan_second(second);
          return scan.join(first);
        });
        ASSERT_EQ(halved, whole) << "text " << text << " halved at " << middle
                                 << (second_scanned ? "" : " without a second scan");
      }
    }
  }
}

}  // namespace
}  // namespace shootout
