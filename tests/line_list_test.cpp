#include "season/line_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace shootout {
namespace {

std::vector<std::string> texts(const LineList& list) {
  std::vector<std::string> out;
  for (const LineNode* n = list.head(); n != nullptr; n = n->next) {
    out.emplace_back(n->text);
  }
  return out;
}

class RoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(RoundTrip, KeepsEveryByteAndWholeLines) {
  LineList list;
  load_line_list(GetParam(), list);
  EXPECT_EQ(list.joined(), GetParam());
  for (const std::string& text : texts(list)) {
    // One node per line: a line end only ever stands at a node's end.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), text.ends_with('\n') ? 1 : 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, RoundTrip,
    ::testing::Values(std::string(), std::string("a\nb\n"),
                      std::string("a\nlast line without end"),
                      std::string("crlf\r\nlines\r\n"), std::string("\n\n\n"),
                      std::string("zero\0byte\nkept\0", 15),
                      std::string(450, 'x') + "\n" + std::string(2500, 'y')));

TEST(LineList, LongLineIsOneNode) {
  const std::string line = std::string(449, '7') + "\n";
  LineList list;
  load_line_list(line + "next\n", list);
  EXPECT_EQ(texts(list), (std::vector<std::string>{line, "next\n"}));
}

TEST(LineList, ActionSeesEveryNodeInOrder) {
  LineList list;
  std::vector<std::string> seen;
  load_line_list("a\nb\nc", list,
                 [&seen](LineNode* node) { seen.emplace_back(node->text); });
  EXPECT_EQ(seen, (std::vector<std::string>{"a\n", "b\n", "c"}));
}

TEST(LineList, AppendOnEmptyListMakesHeadAndTail) {
  LineList list;
  LineNode* node = list.append("x\n");
  EXPECT_EQ(list.head(), node);
  EXPECT_EQ(list.tail(), node);
}

TEST(LineList, InsertAfterKeepsOrderAndTail) {
  LineList list;
  LineNode* a = list.append("a\n");
  list.append("c\n");
  LineNode* b = insert_line_after(list, a, "b\n");
  insert_line_after(list, b, "b2\n");
  LineNode* last = insert_line_after(list, list.tail(), "d\n");
  EXPECT_EQ(texts(list),
            (std::vector<std::string>{"a\n", "b\n", "b2\n", "c\n", "d\n"}));
  EXPECT_EQ(list.tail(), last);
}

// Against a search per line, on texts of short and long lines, with and
// without a last line end, from every line start.
TEST(LineEnds, MatchTheEndsFoundLineByLine) {
  std::mt19937 random(3);
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int lines = static_cast<int>(random() % 12);
    for (int i = 0; i < lines; ++i) text += std::string(random() % 40, 'x') + "\n";
    if (random() % 2 == 0) text += std::string(random() % 30, 'y');
    for (std::size_t at = 0; at <= text.size(); at = end_of_line(text, at)) {
      const std::size_t count = random() % 15;
      std::vector<std::size_t> expected;
      for (std::size_t from = at; expected.size() < count && from < text.size();) {
        from = end_of_line(text, from);
        expected.push_back(from);
      }
      std::vector<std::size_t> ends(count + 1, 0);
      const std::size_t found = line_ends(text, at, ends.data(), count);
      ends.resize(found);
      ASSERT_EQ(ends, expected) << "round " << round << " from " << at;
      if (at == text.size()) break;
    }
  }
}

TEST(LineList, ReplacedLineKeepsItsLineEnd) {
  LineList list;
  list.load("old\r\nold\nold");
  for (LineNode& node : list.file_lines()) replace_line_text(list, node, "new\n");
  EXPECT_EQ(list.joined(), "new\r\nnew\nnew\n");
}

}  // namespace
}  // namespace shootout
