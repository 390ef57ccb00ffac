#include "season/game_report_reader.h"

#include <algorithm>
#include <span>

#include "driver/run_failure.h"
#include "season/number_scan.h"

namespace shootout {

namespace {

// Lines of a tied report's roster block, counted after the score line.
constexpr std::size_t kBlockLines = 54;

// The name field of a roster line: from the third character, at most 23
// characters, or to the end of a shorter line.
std::string_view roster_name_field(std::string_view line) {
  return line.size() > 2 ? line.substr(2, RosterFieldIndex::kFieldSize) : std::string_view{};
}

// Where each roster's names stand among the 54 lines after the score line
// (block[0] is the first line after it).
struct RosterPlace {
  std::size_t first_line;
  std::size_t count;
};
constexpr RosterPlace kFirstSkaters{9, 18}, kFirstGoalies{28, 2}, kSecondSkaters{33, 18},
    kSecondGoalies{52, 2};

void take_names(std::span<const std::string_view> block, RosterPlace place,
                RosterFields& fields, std::size_t& taken) {
  for (std::size_t i = 0; i < place.count; ++i) {
    fields[taken++] = roster_name_field(block[place.first_line + i]);
  }
}

std::size_t count_lines(std::string_view text) {
  if (text.empty()) return 0;
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) +
         (text.back() == '\n' ? 0 : 1);
}

}  // namespace

TieGameTable make_tie_game_table() {
  return TieGameTable(static_cast<std::size_t>(kMaxGameNumber) + 1);
}

ScoreLine scan_score_line(std::string_view line) {
  ScoreLine out;
  bool in_first_name = true, in_first_score = false;
  bool in_second_name = false, in_second_score = false;
  std::int64_t first = 0, second = 0;
  bool first_seen = false, second_seen = false;
  bool first_ok = true, second_ok = true;
  auto accumulate = [](std::int64_t& value, bool& ok, int digit) {
    value = value * 10 + digit;
    if (value > INT32_MAX) {
      ok = false;
      value = INT32_MAX;  // keeps the arithmetic bounded
    }
  };
  for (char c : line) {
    if (!is_digit(c)) {
      if (in_first_name) {
        out.first_team_name += c;
      } else if (in_second_name) {
        out.second_team_name += c;
      }
      in_first_score = in_second_score = false;
      if (c == ',') in_second_name = true;
      continue;
    }
    const int d = c - '0';
    if (in_first_score) accumulate(first, first_ok, d);
    if (in_first_name) {
      first = d;
      first_seen = true;
      in_first_name = false;
      in_first_score = true;
    }
    if (in_second_score) accumulate(second, second_ok, d);
    if (in_second_name) {
      second = d;
      second_seen = true;
      second_ok = true;
      in_second_name = false;
      in_second_score = true;
    }
  }
  if (first_seen && first_ok) out.first_score = static_cast<std::int32_t>(first);
  if (second_seen && second_ok) {
    out.second_score = static_cast<std::int32_t>(second);
  }
  return out;
}

std::optional<std::int32_t> report_header_number(std::string_view line) {
  if (line.empty() || line[0] != '#' || (line.size() > 1 && line[1] == '#')) {
    return std::nullopt;
  }
  std::size_t pos = 1;
  std::int32_t number = 0;
  if (!scan_int(line, pos, number) || number < 1 || number > kMaxGameNumber) {
    return std::nullopt;
  }
  return number;
}

ReportScan scan_reports(std::string_view all, std::size_t from, std::size_t to,
                        PendingRosters& pending) {
  ReportScan scan;
  std::size_t at = from;
  while ((at = next_line_beginning_with(all, at, '#')) < to) {
    const std::size_t header_end = end_of_line(all, at);
    const std::optional<std::int32_t> number =
        report_header_number(all.substr(at, header_end - at));
    at = header_end;
    if (!number || at >= all.size()) continue;
    const std::size_t score = at;
    at = end_of_line(all, score);
    ScoreLine scanned = scan_score_line(all.substr(score, at - score));
    if (!scanned.first_score || !scanned.second_score ||
        *scanned.first_score != *scanned.second_score) {
      continue;
    }
    std::size_t ends[kBlockLines];
    if (line_ends(all, at, ends, kBlockLines) < kBlockLines) {
      abort_invalid(kReportsFile, count_lines(all),
                    "file ends inside the roster block of tied game " +
                        std::to_string(*number));
    }
    std::array<std::string_view, kBlockLines> block;
    for (std::size_t line = 0; line < kBlockLines; ++line) {
      const std::size_t start = line == 0 ? at : ends[line - 1];
      block[line] = all.substr(start, ends[line] - start);
    }
    FoundGame& found = scan.games.emplace_back();
    found.game = std::make_unique<TieGame>();
    found.score_start = score;
    found.score_end = at;
    at = ends[kBlockLines - 1];
    TieGame& game = *found.game;
    game.game_number = *number;
    game.first_team_name = std::move(scanned.first_team_name);
    game.second_team_name = std::move(scanned.second_team_name);
    trim_name(game.first_team_name);
    trim_name(game.second_team_name);
    RosterFields fields;
    std::size_t taken = 0;
    for (RosterPlace place : {kFirstSkaters, kFirstGoalies, kSecondSkaters, kSecondGoalies}) {
      take_names(block, place, fields, taken);
    }
    pending.add(game, fields);
  }
  scan.next = at;
  return scan;
}

std::size_t report_midpoint(std::string_view all) {
  const std::size_t middle = all.size() / 2;
  if (middle == 0) return all.size();
  // The first line that starts after the middle, then the first of those
  // beginning with "#".
  return next_line_beginning_with(all, end_of_line(all, middle - 1), '#');
}

void place_found_games(LineList& report_lines, std::vector<FoundGame> games,
                       TieGameTable& tie_game_table, PendingRosters& pending) {
  // Only the score lines of tied games are ever rewritten: the file stays
  // one node, and each of those lines is split off as its own.
  LineNode* rest = report_lines.head();  // the node that holds the text from
  std::size_t rest_start = 0;            // this offset on
  for (FoundGame& found : games) {
    // The score line becomes a node of its own; the block after it stays in
    // the node that follows.
    LineNode* line = found.score_start > rest_start
                         ? report_lines.split_at(rest, found.score_start - rest_start)
                         : rest;
    rest = report_lines.split_at(line, found.score_end - found.score_start);
    rest_start = found.score_end;
    found.game->score_line = line;
    // A later report of the same number replaces the game.
    std::unique_ptr<TieGame>& slot =
        tie_game_table[static_cast<std::size_t>(found.game->game_number)];
    if (slot) pending.keep_replaced(std::move(slot));
    slot = std::move(found.game);
  }
}

void read_reports(FileText content, LineList& report_lines, TieGameTable& tie_game_table,
                  PendingRosters& pending) {
  report_lines.load_unsplit(std::move(content));
  if (report_lines.empty()) return;
  const std::string_view all = report_lines.head()->text;
  place_found_games(report_lines, scan_reports(all, 0, all.size(), pending).games,
                    tie_game_table, pending);
}

void load_reports(FileText content, const PlayerRegistry& registry,
                  LineList& report_lines, TieGameTable& tie_game_table) {
  PendingRosters pending;
  const RosterFieldIndex fields(registry);
  pending.players_ready(registry, fields);
  read_reports(std::move(content), report_lines, tie_game_table, pending);
  pending.resolve_all();
}

}  // namespace shootout
