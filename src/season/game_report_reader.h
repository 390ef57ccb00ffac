#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "season/line_list.h"
#include "season/pending_rosters.h"
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

// A tied game found in the reports text, and where its score line stands
// in the text.
struct FoundGame {
  std::unique_ptr<TieGame> game;
  std::size_t score_start = 0;
  std::size_t score_end = 0;
};

// What a scan of the reports text found, in file order, and where it
// stopped: at the first line beginning with "#" that it left, or beyond it
// when the last report it took reaches further.
struct ReportScan {
  std::vector<FoundGame> games;
  std::size_t next = 0;
};

// Scans the reports text from `from`, a line start, taking every report
// whose header line begins before `to` as read_reports does: each tied one
// becomes a found game, whose roster names go to `pending`. A text that ends
// inside a roster block is a failure.
//
// Two scans split the text between them exactly: when the scan up to `to`
// stops at `to`, the one from `to` takes up where it left off.
ReportScan scan_reports(std::string_view all, std::size_t from, std::size_t to,
                        PendingRosters& pending);

// Where a second scan can take half of the text: the first line beginning
// with "#" that starts after the middle, or the end of the text.
std::size_t report_midpoint(std::string_view all);

// Puts the games found in the text loaded (unsplit) into `report_lines`, in
// file order, into the list and the table: each score line becomes a node of
// its own, and a later game of the same number replaces the earlier one.
void place_found_games(LineList& report_lines, std::vector<FoundGame> games,
                       TieGameTable& tie_game_table, PendingRosters& pending);

// Reads reports.lgs: every line goes to `report_lines`, and every report
// whose score line is tied becomes a TieGame; its rosters' names, from its
// 54-line roster block, go to `pending`, which resolves them as soon as the
// players are ready. A file that ends inside such a block is a failure.
// Needs no players to begin with.
void read_reports(FileText content, LineList& report_lines, TieGameTable& tie_game_table,
                  PendingRosters& pending);

// read_reports and the resolving of the rosters in one.
void load_reports(FileText content, const PlayerRegistry& registry,
                  LineList& report_lines, TieGameTable& tie_game_table);

}  // namespace shootout
