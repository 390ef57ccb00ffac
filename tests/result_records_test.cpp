#include "results/result_records.h"

#include <gtest/gtest.h>

#include <string>

#include "failure_matchers.h"

namespace shootout {
namespace {

ShootoutResult result() {
  return {Side::first, "Riverton win 2-1\n", "Riverton -  A, goal;\n", "Lakeside -  B, miss;\n"};
}

TEST(ComposeScoreLines, RaisesTheWinnersScore) {
  TieGame game;
  game.first_team_name = "Riverton";
  game.second_team_name = "Lakeside";
  ScheduleEntry entry;
  entry.first_score = entry.second_score = 3;
  // The second composition writes over the first's longer texts.
  ScoreLines lines;
  entry.first_score = entry.second_score = 1234;
  compose_score_lines(entry, game, Side::first, lines);
  EXPECT_EQ(lines.schedule_line, " 1235  1234 \n");
  EXPECT_EQ(lines.report_line, "Riverton 1235 , Lakeside 1234 (SO)\n");
  entry.first_score = entry.second_score = 3;
  compose_score_lines(entry, game, Side::second, lines);
  EXPECT_EQ(lines.schedule_line, " 3  4 \n");
  EXPECT_EQ(lines.report_line, "Riverton 3 , Lakeside 4 (SO)\n");
}

TEST(LogBlock, DateReadsMonthDayYear) {
  ScheduleEntry entry;
  entry.day = 20;
  entry.month = 7;
  entry.year = 2003;
  std::string block(300, 'x');
  write_log_block(entry, "Riverton 2 , Lakeside 1 (SO)\n", result(), block);
  EXPECT_EQ(block,
            "<h2>7-20-2003 Riverton 2 , Lakeside 1 (SO)\n</h2>\n"
            "<h4>Riverton win 2-1\n</h4>\n"
            "<h4>Riverton -  A, goal;\n</h4>\n"
            "<h4>Lakeside -  B, miss;\n</h4><hr>\n\n");
}

TEST(ReplaceScoreLines, ReportFirstThenScheduleEachKeepingItsLineEnd) {
  LineList reports, schedule;
  reports.load("#1\r\nRiverton 2 , Lakeside 2\r\nrest\r\n");
  schedule.load("1 1 2026 1 2\n2 2\n");
  TieGame game;
  game.score_line = &reports.file_lines()[1];
  ScheduleEntry entry;
  entry.score_line = &schedule.file_lines()[1];
  replace_score_lines(game, entry, {" 3  2 \n", "Riverton 3 , Lakeside 2 (SO)\n"}, reports,
                      schedule);
  EXPECT_EQ(reports.joined(), "#1\r\nRiverton 3 , Lakeside 2 (SO)\r\nrest\r\n");
  EXPECT_EQ(schedule.joined(), "1 1 2026 1 2\n 3  2 \n");
}

const char* const kSection =
    "Shootout\n--------\nRiverton win 2-1\nRiverton -  A, goal;\nLakeside -  B, miss;\n";

// A box score of game `n` whose seventh "-" line is followed by `tail`.
std::string box(int n, const std::string& tail) {
  std::string s = "#" + std::to_string(n) + "\n";
  for (int i = 0; i < 7; ++i) s += i == 3 ? "#99 other header\n-\n" : "line\n-----\n";
  return s + tail;
}

struct SectionCase {
  const char* name;
  std::string file;
  std::string expected;
};
void PrintTo(const SectionCase& c, std::ostream* os) { *os << c.name; }


class InsertSection : public ::testing::TestWithParam<SectionCase> {};

TEST_P(InsertSection, GoesAfterTheAnchor) {
  LineList list;
  load_line_list(GetParam().file, list);
  BoxscoreIndex index;
  insert_shootout_section(list, index, 12, result());
  EXPECT_EQ(list.joined(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxscores, InsertSection,
    ::testing::Values(
        SectionCase{"LetterAnchor", box(12, "Stars\nafter\n"),
                    box(12, "Stars\n" + std::string(kSection) + "after\n")},
        SectionCase{"EmptyAnchor", box(12, "\nafter\n"),
                    box(12, "\n" + std::string(kSection) + "after\n")},
        SectionCase{"DigitsSkipped", box(12, "1 a\n2 b\n3 c\n stars\nafter\n"),
                    box(12, "1 a\n2 b\n3 c\n stars\n" + std::string(kSection) + "after\n")},
        SectionCase{"HeaderVariants", box(1, "x\n") + box(123, "x\n") + "# 12 at home\n" +
                                          box(99, "y\n").substr(4),
                    box(1, "x\n") + box(123, "x\n") + "# 12 at home\n" +
                        box(99, "y\n" + std::string(kSection)).substr(4)},
        SectionCase{"FirstOfTwoHeaders", box(12, "a\n") + box(12, "b\n"),
                    box(12, "a\n" + std::string(kSection)) + box(12, "b\n")},
        SectionCase{"AnchorWithoutLineEnd", box(12, "last"),
                    box(12, "last\n" + std::string(kSection))},
        SectionCase{"CrlfFile", "#12\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\nStars\r\nafter\r\n",
                    "#12\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\n-\r\nStars\r\nShootout\r\n--------\r\n"
                    "Riverton win 2-1\r\nRiverton -  A, goal;\r\nLakeside -  B, miss;\r\n"
                    "after\r\n"}),
    [](const auto& info) { return info.param.name; });

TEST(InsertSection, MissingOrIncompleteBoxScoreFails) {
  const std::string cases[] = {
      "",
      box(11, "x\n"),
      "##12\n" + box(11, "x\n"),
      "#\n",
      box(12, "").substr(0, box(12, "").size() - 6),  // ends before the 7th "-"
      box(12, ""),                                     // no anchor at all
      box(12, "1 a\n2 b\n"),                           // ends among digit lines
  };
  for (const std::string& file : cases) {
    LineList list;
    load_line_list(file, list);
    BoxscoreIndex index;
    const RunFailure f = expect_failure([&] { insert_shootout_section(list, index, 12, result()); });
    EXPECT_EQ(f.kind(), FailureKind::boxscore_block_missing) << file;
    EXPECT_EQ(list.joined(), file);
  }
}

}  // namespace
}  // namespace shootout
