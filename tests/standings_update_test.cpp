#include "results/standings_update.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "failure_matchers.h"

namespace shootout {
namespace {

// Teams 1 and 2, each with its three record lines; other block lines are
// left out since only the indexed nodes are edited.
struct Teams {
  LineList lines;
  TeamRecordTable table;
  explicit Teams(const std::array<const char*, 6>& l) {
    table.slots[1] = {lines.append(l[0]), lines.append(l[1]), lines.append(l[2])};
    table.slots[2] = {lines.append(l[3]), lines.append(l[4]), lines.append(l[5])};
  }
  std::vector<std::string> texts() const {
    std::vector<std::string> out;
    for (const LineNode* n = lines.head(); n != nullptr; n = n->next) out.emplace_back(n->text);
    return out;
  }
};

const std::array<const char*, 6> kStandard = {
    "10 5 3 2\n", "1 1 1 1\n", "1 2 3 4 5 6 7 8 9\n",  // team 1
    "2 2 2 2\n",  "8 6 1 4\n", "9 8 7 6 5 4 3 2 1\n"};  // team 2

TEST(UpdateStandings, FirstTeamWins) {
  Teams t(kStandard);
  update_standings(t.table, t.lines, 4, 1, 2, Side::first);
  EXPECT_EQ(t.texts(), (std::vector<std::string>{
                           " 11  5  2  2\n", "1 1 1 1\n", " 1  3  3  4  4  6  7  8  9\n",
                           "2 2 2 2\n", " 8  6  0  5\n", " 9  8  7  7  4  4  3  2  1\n"}));
}

TEST(UpdateStandings, SecondTeamWins) {
  Teams t(kStandard);
  update_standings(t.table, t.lines, 10, 1, 2, Side::second);
  EXPECT_EQ(t.texts(), (std::vector<std::string>{
                           " 10  5  2  3\n", "1 1 1 1\n", " 1  2  3  5  4  6  7  8  9\n",
                           "2 2 2 2\n", " 9  6  0  4\n", " 9  9  7  6  4  4  3  2  1\n"}));
}

TEST(UpdateStandings, SummerMonthsChangeNothing) {
  for (std::int32_t month : {5, 7, 9}) {
    Teams t(kStandard);
    update_standings(t.table, t.lines, month, 1, 2, Side::first);
    EXPECT_EQ(t.texts(), Teams(kStandard).texts()) << month;
  }
}

TEST(UpdateStandings, RewritesAnySpacingInWrittenFormAndKeepsCrlf) {
  Teams t({"\t10 5\t3 2 trailing text\r\n", "1 1 1 1\n", "1 2 3 4 5 6 7 8 9\n",
           "2 2 2 2\n", "8 6 1 4\n", "9  8  7  6  5  4  3  2  1"});
  update_standings(t.table, t.lines, 1, 1, 2, Side::first);
  EXPECT_EQ(t.texts()[0], " 11  5  2  2\r\n");
  EXPECT_EQ(t.texts()[5], " 9  8  7  7  4  4  3  2  1\n");
}

TEST(UpdateStandings, SameTeamOnBothSidesEditsLineFiveTwice) {
  Teams t(kStandard);
  update_standings(t.table, t.lines, 1, 1, 1, Side::first);
  EXPECT_EQ(t.texts()[0], " 11  5  2  2\n");
  EXPECT_EQ(t.texts()[1], " 1  1  0  2\n");
  EXPECT_EQ(t.texts()[2], " 1  3  3  5  3  6  7  8  9\n");
}


struct Refused {
  const char* name;
  std::array<const char*, 6> lines;
  std::int32_t second_team;
  FailureKind kind;
  const char* detail;
};

TEST(UpdateStandings, RefusesWhatItCannotEdit) {
  const char* ones4 = "1 1 1 1\n";
  const char* ones9 = "1 1 1 1 1 1 1 1 1\n";
  const Refused cases[] = {
      {"ties at zero", {"1 1 0 1\n", ones4, ones9, ones4, ones4, ones9}, 2,
       FailureKind::negative_ties, ""},
      {"second line five at zero",
       {ones4, ones4, ones9, ones4, ones4, "1 1 1 1 0 1 1 1 1\n"}, 2,
       FailureKind::negative_ties, ""},
      {"same team line five once too often", {ones4, ones4, ones9, ones4, ones4, ones9}, 1,
       FailureKind::negative_ties, ""},
      {"too few numbers", {ones4, ones4, "1 1 1 1 1 1 1 1\n", ones4, ones4, ones9}, 2,
       FailureKind::season_file_invalid,
       "teams.lgs: team 1 record line 5 does not hold 9 numbers"},
      {"absent team", {ones4, ones4, ones9, ones4, ones4, ones9}, 3,
       FailureKind::season_file_invalid, "teams.lgs: no block for team 3"},
  };
  for (const Refused& c : cases) {
    Teams t(c.lines);
    const RunFailure f =
        expect_failure([&] { update_standings(t.table, t.lines, 1, 1, c.second_team, Side::first); });
    EXPECT_EQ(f.kind(), c.kind) << c.name;
    EXPECT_EQ(f.detail(), c.detail) << c.name;
  }
}

TEST(UpdateStandings, BlockTooShortForLineFiveIsRefused) {
  Teams t(kStandard);
  t.table.slots[2].line5 = nullptr;
  const RunFailure f = expect_failure([&] { update_standings(t.table, t.lines, 1, 1, 2, Side::second); });
  EXPECT_EQ(f.detail(), "teams.lgs: team 2 has no record line 5");
}

}  // namespace
}  // namespace shootout
