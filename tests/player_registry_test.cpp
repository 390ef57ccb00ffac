#include "season/player_registry.h"

#include <gtest/gtest.h>

#include <string>

#include "failure_matchers.h"

namespace shootout {
namespace {

// One 20-line block: numbers line, 12 lines, name line, 6 lines.
std::string block(const std::string& numbers, const std::string& name) {
  std::string s = numbers + "\n";
  for (int i = 0; i < 12; ++i) s += "filler " + std::to_string(i) + "\n";
  s += name + "\n";
  for (int i = 0; i < 6; ++i) s += "more\n";
  return s;
}

PlayerRegistry registry_of(std::initializer_list<const char*> names) {
  PlayerRegistry r;
  std::int32_t i = 0;
  for (const char* name : names) r.player_table.push_back({i++, name, 0, 0});
  index_player_names(r);
  return r;
}

TEST(LoadPlayers, ReadsRatingsAndTrimmedNamesByPosition) {
  PlayerRegistry r;
  load_players("2\n" + block("85 40 77", " Aldo Brisk.") +
                   block("1 2 3 extra", "'O'Dell-Ray'") + "ignored tail\n",
               r);
  ASSERT_EQ(r.player_count(), 2);
  EXPECT_EQ(r.player_table[0].index, 0);
  EXPECT_EQ(r.player_table[0].name, "Aldo Brisk");
  EXPECT_EQ(r.player_table[0].rating1, 85);
  EXPECT_EQ(r.player_table[0].rating2, 77);
  EXPECT_EQ(r.player_table[1].index, 1);
  EXPECT_EQ(r.player_table[1].name, "O'Dell-Ray");
  EXPECT_EQ(r.player_table[1].rating2, 3);
}

TEST(LoadPlayers, CountOfZeroOrLessIsEmpty) {
  for (const char* first : {"0\n", "-3\n"}) {
    PlayerRegistry r;
    load_players(std::string(first) + "garbage that is never read\n", r);
    EXPECT_EQ(r.player_count(), 0) << first;
  }
}

struct BadFile {
  const char* name;
  std::string content;
  const char* message;
};
void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }


class LoadPlayersFails : public ::testing::TestWithParam<BadFile> {};

TEST_P(LoadPlayersFails, NamesFileLineAndProblem) {
  PlayerRegistry r;
  const RunFailure f = expect_failure([&] { load_players(GetParam().content, r); });
  EXPECT_EQ(f.kind(), FailureKind::season_file_invalid);
  EXPECT_EQ(f.detail(), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadPlayersFails,
    ::testing::Values(
        BadFile{"Empty", "", "players.lgs line 1: no player count"},
        BadFile{"NoNumber", "many\n", "players.lgs line 1: no player count"},
        BadFile{"TooMany", "4001\n",
                "players.lgs line 1: player count 4001 exceeds 4000"},
        BadFile{"Truncated", "2\n" + block("1 2 3", "A") + "4 5 6\n",
                "players.lgs line 22: file ends inside the block of player 1 of 2"},
        BadFile{"ShortNumbers", "2\n" + block("1 2 3", "A") + block("4 5", "B"),
                "players.lgs line 22: expected three numbers"}),
    [](const auto& info) { return info.param.name; });

TEST(TrimName, RemovesNonAlphanumericEnds) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},        {"--", ""},          {" 9 ", "9"},
      {"\xE9tienne\xFF", "tienne"},         {"a b\tc\r\n", "a b\tc"},
      {std::string("\0x\0", 3), "x"},
  };
  for (auto [text, expected] : cases) {
    trim_name(text);
    EXPECT_EQ(text, expected);
  }
}

TEST(FindPlayer, LowestIndexWhoseNameBeginsWithTrimmedText) {
  const PlayerRegistry r = registry_of({"Aldo Brisk", "Aldo Brinkman", "Bo Vale"});
  const std::pair<std::string, std::int32_t> cases[] = {
      {"Aldo Bri", 0}, {"Aldo Brin", 1}, {"  Bo Vale  \n", 2}, {"Vale", 0},
      {"bo vale", 0},  {"Bo Vales", 0},  {"", 0},
  };
  for (auto [text, expected] : cases) {
    std::string t = text;
    EXPECT_EQ(find_player(r, t), expected) << text;
  }
}

}  // namespace
}  // namespace shootout
