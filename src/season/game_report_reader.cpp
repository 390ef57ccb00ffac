#include "season/game_report_reader.h"

#include "driver/run_failure.h"
#include <span>

#include "season/number_scan.h"

namespace shootout {

namespace {

// Lines of a tied report's roster block, counted after the score line.
constexpr std::size_t kBlockLines = 54;

// The name field of a roster line: from the third character, at most 23
// characters, or to the end of a shorter line.
std::int32_t roster_player(const PlayerRegistry& registry,
                           std::string_view line) {
  return find_player(registry, line.size() > 2 ? line.substr(2, 23) : std::string_view{});
}

template <std::size_t N>
void read_roster(const PlayerRegistry& registry, std::span<const LineNode> lines,
                 std::size_t first, std::array<std::int32_t, N>& out) {
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = roster_player(registry, lines[first + i].text);
  }
}

// Fills the rosters from the 54 lines after the score line at `score`.
void read_tie_game_block(const PlayerRegistry& registry,
                         std::span<const LineNode> lines, std::size_t score,
                         TieGame& game) {
  read_roster(registry, lines, score + 10, game.first_team_skaters);
  read_roster(registry, lines, score + 29, game.first_team_goalies);
  read_roster(registry, lines, score + 34, game.second_team_skaters);
  read_roster(registry, lines, score + 53, game.second_team_goalies);
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

void load_reports(FileText content, const PlayerRegistry& registry,
                  LineList& report_lines, TieGameTable& tie_game_table) {
  report_lines.load(std::move(content));
  const std::span<LineNode> lines = report_lines.file_lines();

  std::size_t i = 0;
  while (i < lines.size()) {
    const std::optional<std::int32_t> number = report_header_number(lines[i].text);
    ++i;
    if (!number || i >= lines.size()) continue;
    const std::size_t score = i++;
    ScoreLine scanned = scan_score_line(lines[score].text);
    if (!scanned.first_score || !scanned.second_score ||
        *scanned.first_score != *scanned.second_score) {
      continue;
    }
    if (lines.size() - i < kBlockLines) {
      abort_invalid(kReportsFile, lines.size(),
                    "file ends inside the roster block of tied game " +
                        std::to_string(*number));
    }
    auto game = std::make_unique<TieGame>();
    game->game_number = *number;
    game->first_team_name = std::move(scanned.first_team_name);
    game->second_team_name = std::move(scanned.second_team_name);
    trim_name(game->first_team_name);
    trim_name(game->second_team_name);
    game->score_line = &lines[score];
    read_tie_game_block(registry, lines, score, *game);
    tie_game_table[static_cast<std::size_t>(*number)] = std::move(game);
    i += kBlockLines;
  }
}

}  // namespace shootout
