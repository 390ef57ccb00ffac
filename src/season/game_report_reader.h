#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "season/line_list.h"
#include "season/player_registry.h"

namespace shootout {

inline constexpr std::int32_t kMaxGameNumber = 3999;

// A game whose report records a tie: both teams' names and rosters (as
// player indexes) and the report line that holds its score.
struct TieGame {
  std::int32_t game_number = 0;
  std::string first_team_name;
  std::string second_team_name;
  std::array<std::int32_t, 18> first_team_skaters{};
  std::array<std::int32_t, 18> second_team_skaters{};
  std::array<std::int32_t, 2> first_team_goalies{};
  std::array<std::int32_t, 2> second_team_goalies{};
  LineNode* score_line = nullptr;  // owned by report_lines
};

// Slot n holds the tied game whose report header carries n.
using TieGameTable = std::vector<std::unique_ptr<TieGame>>;
TieGameTable make_tie_game_table();

struct ScoreLine {
  std::string first_team_name;  // untrimmed
  std::string second_team_name;
  std::optional<std::int32_t> first_score;  // none: no digits, or too large
  std::optional<std::int32_t> second_score;
};

inline constexpr const char* kReportsFile = "reports.lgs";

// Splits a report score line such as "Riverton 3 , Lakeside 3" into names
// and scores: the first name runs to the first digit, the second name from
// the comma to the next digit.
ScoreLine scan_score_line(std::string_view line);

// The game number of a report header ("#" followed by a number of 1 to 3999;
// not "##"), or none for an ordinary line.
std::optional<std::int32_t> report_header_number(std::string_view line);

// The roster names of one tied game as its report gives them, in the order
// first skaters, first goalies, second skaters, second goalies: they become
// player indexes once the players are loaded. The names are trimmed and
// copied while the report is read, so that resolving them later reads one
// dense buffer rather than the whole file again. A null game is one that a
// later report of the same number replaced.
struct RosterNames {
  static constexpr std::size_t kNames = 40;
  static constexpr std::size_t kFieldSize = 23;  // a name field's length at most

  RosterNames() {}  // the buffer is filled as the names are read
  std::string_view name(std::size_t i) const { return {text.data() + kFieldSize * i, sizes[i]}; }

  TieGame* game = nullptr;
  std::array<char, kNames * kFieldSize> text;
  std::array<std::uint8_t, kNames> sizes;
};
using PendingRosters = std::vector<RosterNames>;

// Reads reports.lgs: every line goes to `report_lines`, and every report
// whose score line is tied becomes a TieGame whose rosters come from its
// 54-line roster block; the names are returned for resolve_rosters. A file
// that ends inside such a block is a failure. Needs no players.
PendingRosters read_reports(FileText content, LineList& report_lines,
                            TieGameTable& tie_game_table);

// Fills in the rosters of the given games. Games are independent of each
// other, so parts of the list may be resolved at the same time.
void resolve_rosters(const PlayerRegistry& registry, std::span<const RosterNames> pending);

// read_reports and resolve_rosters in one.
void load_reports(FileText content, const PlayerRegistry& registry,
                  LineList& report_lines, TieGameTable& tie_game_table);

}  // namespace shootout
