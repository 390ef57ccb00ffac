#include "results/result_records.h"

#include "driver/run_failure.h"
#include "season/concat.h"
#include "season/number_scan.h"

namespace shootout {

ScoreLines compose_score_lines(const ScheduleEntry& entry, const TieGame& game,
                               Side winner) {
  std::int64_t first = entry.first_score;
  std::int64_t second = entry.second_score;
  (winner == Side::first ? first : second) += 1;
  ScoreLines lines;
  const std::string first_text = std::to_string(first);
  const std::string second_text = std::to_string(second);
  lines.schedule_line = concat({" ", first_text, "  ", second_text, " \n"});
  lines.report_line = concat({game.first_team_name, " ", first_text, " , ",
                              game.second_team_name, " ", second_text, " (SO)\n"});
  return lines;
}

std::string log_block(const ScheduleEntry& entry,
                      const std::string& report_line,
                      const ShootoutResult& result) {
  return concat({"<h2>", std::to_string(entry.month), "-",
                 std::to_string(entry.day), "-", std::to_string(entry.year), " ",
                 report_line, "</h2>\n<h4>", result.win_line, "</h4>\n<h4>",
                 result.first_shot_log_line, "</h4>\n<h4>",
                 result.second_shot_log_line, "</h4><hr>\n\n"});
}

void replace_score_lines(TieGame& game, ScheduleEntry& entry,
                         const ScoreLines& lines, LineList& report_lines,
                         LineList& schedule_lines) {
  replace_line_text(report_lines, *game.score_line, lines.report_line);
  replace_line_text(schedule_lines, *entry.score_line, lines.schedule_line);
}

namespace {

bool begins_with(const LineNode* node, char c) {
  return !node->text.empty() && node->text[0] == c;
}

[[noreturn]] void block_missing() {
  abort_run(FailureKind::boxscore_block_missing);
}

}  // namespace

void insert_shootout_section(LineList& boxscore_lines, BoxscoreIndex& index,
                             std::int32_t game_number,
                             const ShootoutResult& result) {
  LineNode* header = index.header(boxscore_lines, game_number);
  if (header == nullptr) block_missing();

  LineNode* node = header;
  for (int dashes = 0; dashes < 7;) {
    node = node->next;
    if (node == nullptr) block_missing();
    if (begins_with(node, '-')) ++dashes;
  }
  LineNode* anchor = node->next;
  while (anchor != nullptr && !anchor->text.empty() &&
         is_digit(anchor->text[0])) {
    anchor = anchor->next;
  }
  if (anchor == nullptr) block_missing();

  // The section takes the line end of the anchor; an anchor without one (the
  // file's last line) first gets the line end of its box score's header.
  std::string_view line_end = line_end_of(anchor->text);
  if (line_end.empty()) {
    line_end = line_end_of(header->text);
    boxscore_lines.set_text(anchor, anchor->text, line_end);
  }
  LineNode* after = anchor;
  for (std::string_view line :
       {std::string_view("Shootout\n"), std::string_view("--------\n"),
        std::string_view(result.win_line),
        std::string_view(result.first_shot_log_line),
        std::string_view(result.second_shot_log_line)}) {
    line.remove_suffix(line.ends_with('\n') ? 1 : 0);
    after = boxscore_lines.insert_after(after, line, line_end);
  }
}

}  // namespace shootout
