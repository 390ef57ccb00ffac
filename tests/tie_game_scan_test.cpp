#include "results/tie_game_scan.h"

#include <gtest/gtest.h>

namespace shootout {
namespace {

struct EntryCase {
  const char* date;
  const char* score;
  bool has_report;
  bool qualifies;
};

TEST(TieGameScan, EntryQualifiesOnlyWhenReportAndScheduleAgreeOnATie) {
  const EntryCase cases[] = {
      {"20 7 2003 1 2\n", "3 3\n", true, true},
      {"20 7 2003 1 2\n", "3 3\n", false, false},
      {"20 7 2003 1 2\n", "3 4\n", true, false},
      {"20 7 2003 0 2\n", "3 3\n", true, false},
      {"20 7 2003 31 2\n", "3 3\n", true, false},
      {"20 7 2003 -1 2\n", "3 3\n", true, false},
      {"20 7 2003 1 31\n", "3 3\n", true, false},
      {"20 7 2003 30 30\n", "3 3\n", true, true},
      {"20 7 2003 1\n", "3 3\n", true, false},
      {"20 7 2003 1 2\n", "3\n", true, false},
      {"20 7 2003 1 2\n", "x 3 3\n", true, false},
  };
  TieGame game;
  for (const EntryCase& c : cases) {
    LineNode date{c.date, nullptr}, score{c.score, nullptr};
    ScheduleEntry entry = read_schedule_entry(7, date, score);
    entry.tie_game = c.has_report ? &game : nullptr;
    EXPECT_EQ(qualifies(entry), c.qualifies) << c.date << c.score;
    EXPECT_EQ(entry.score_line, &score);
  }
}

TEST(TieGameScan, ReadsDateTeamsAndScores) {
  LineNode date{"  20\t7 2003 4 9 trailing\r\n", nullptr}, score{" 2  2 \r\n", nullptr};
  const ScheduleEntry e = read_schedule_entry(3, date, score);
  EXPECT_EQ(e.game_number, 3);
  EXPECT_EQ(e.day, 20);
  EXPECT_EQ(e.month, 7);
  EXPECT_EQ(e.year, 2003);
  EXPECT_EQ(e.first_team, 4);
  EXPECT_EQ(e.second_team, 9);
  EXPECT_EQ(e.first_score, 2);
  EXPECT_EQ(e.second_score, 2);
}

}  // namespace
}  // namespace shootout
