#include "season/team_record_index.h"

#include <gtest/gtest.h>

#include <string>

namespace shootout {
namespace {

struct Indexed {
  LineList lines;
  TeamRecordTable table;
};

// A teams file of `count` lines, line n reading "n".
void index_lines(Indexed& x, std::size_t count) {
  std::string file;
  for (std::size_t n = 1; n <= count; ++n) file += std::to_string(n) + "\n";
  TeamRecordIndexer indexer(x.table);
  load_line_list(file, x.lines, [&](LineNode* node) { indexer.index_team_line(node); });
}

TEST(TeamRecordIndex, PointsAtLinesOneTwoAndFiveOfEachBlock) {
  Indexed x;
  index_lines(x, 250);
  EXPECT_FALSE(x.table.has_team(0));
  EXPECT_TRUE(x.table.has_team(1));
  ASSERT_TRUE(x.table.has_team(2));
  EXPECT_FALSE(x.table.has_team(3));
  EXPECT_EQ(x.table.slots[1].line5->text, "5\n");
  EXPECT_EQ(x.table.slots[2].line1->text, "126\n");
  EXPECT_EQ(x.table.slots[2].line2->text, "127\n");
  EXPECT_EQ(x.table.slots[2].line5->text, "130\n");
}

TEST(TeamRecordIndex, ShortLastBlockLeavesMissingLinesNull) {
  Indexed x;
  index_lines(x, 125 + 3);
  ASSERT_TRUE(x.table.has_team(2));
  EXPECT_NE(x.table.slots[2].line2, nullptr);
  EXPECT_EQ(x.table.slots[2].line5, nullptr);
}

TEST(TeamRecordIndex, BlocksAfterTheThirtiethAreNotIndexed) {
  Indexed x;
  index_lines(x, 125 * 32);
  EXPECT_TRUE(x.table.has_team(30));
  EXPECT_EQ(x.table.slots[30].line1->text, std::to_string(125 * 29 + 1) + "\n");
  EXPECT_EQ(x.lines.size(), 125u * 32);
}

TEST(TeamRecordIndex, EmptyFileIndexesNothing) {
  Indexed x;
  index_lines(x, 0);
  for (std::int32_t t = 0; t <= kMaxTeams; ++t) EXPECT_FALSE(x.table.has_team(t));
}

}  // namespace
}  // namespace shootout
