#include "results/standings_update.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "driver/run_failure.h"
#include "season/number_scan.h"

namespace shootout {

namespace {

// Rewrites a record line of `count` numbers (4 or 9): column `gains` (from
// 1) rises by one, column `ties` falls by one.
void edit_record_line(LineList& lines, LineNode* node, std::int32_t team,
                      int line_number,
                      std::size_t count, std::size_t gains, std::size_t ties) {
  auto where = [team] { return std::string(kTeamsFile) + ": team " + std::to_string(team); };
  if (node == nullptr) {
    abort_run(FailureKind::season_file_invalid,
              where() + " has no record line " + std::to_string(line_number));
  }
  std::array<std::int32_t, 9> numbers{};
  if (scan_ints(node->text, numbers.data(), count) != count) {
    abort_run(FailureKind::season_file_invalid,
              where() + " record line " + std::to_string(line_number) +
                  " does not hold " + std::to_string(count) + " numbers");
  }
  std::array<std::int64_t, 9> edited{};
  for (std::size_t i = 0; i < count; ++i) edited[i] = numbers[i];
  edited[gains - 1] += 1;
  edited[ties - 1] -= 1;
  if (edited[ties - 1] < 0) abort_run(FailureKind::negative_ties);

  // At most nine numbers of at most 20 characters, two spaces before each.
  char text[9 * 22 + 1];
  char* end = text;
  for (std::size_t i = 0; i < count; ++i) {
    *end++ = ' ';
    if (i > 0) *end++ = ' ';
    end = std::to_chars(end, text + sizeof text, edited[i]).ptr;
  }
  *end++ = '\n';
  replace_line_text(lines, *node, std::string_view(text, static_cast<std::size_t>(end - text)));
}

}  // namespace

void update_standings(TeamRecordTable& table, LineList& team_lines,
                      std::int32_t month,
                      std::int32_t first_team, std::int32_t second_team,
                      Side winner) {
  if (month >= 5 && month <= 9) return;
  for (std::int32_t team : {first_team, second_team}) {
    if (!table.has_team(team)) {
      abort_run(FailureKind::season_file_invalid,
                std::string(kTeamsFile) + ": no block for team " +
                    std::to_string(team));
    }
  }
  const TeamRecordLines& first = table.slots[static_cast<std::size_t>(first_team)];
  const TeamRecordLines& second =
      table.slots[static_cast<std::size_t>(second_team)];
  const bool first_won = winner == Side::first;
  // Four-number lines: wins c1, ties c3, shootout losses c4.
  // Nine-number line: wins c2, shootout losses c4, ties c5.
  edit_record_line(team_lines, first.line1, first_team, 1, 4, first_won ? 1 : 4, 3);
  edit_record_line(team_lines, first.line5, first_team, 5, 9, first_won ? 2 : 4, 5);
  edit_record_line(team_lines, second.line2, second_team, 2, 4, first_won ? 4 : 1, 3);
  edit_record_line(team_lines, second.line5, second_team, 5, 9, first_won ? 4 : 2, 5);
}

}  // namespace shootout
