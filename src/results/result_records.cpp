#include "results/result_records.h"

#include "driver/run_failure.h"
#include "season/concat.h"
#include "season/number_scan.h"

namespace shootout {

void compose_score_lines(const ScheduleEntry& entry, const TieGame& game, Side winner,
                         ScoreLines& lines) {
  std::int64_t first = entry.first_score;
  std::int64_t second = entry.second_score;
  (winner == Side::first ? first : second) += 1;
  const std::string first_text = std::to_string(first);
  const std::string second_text = std::to_string(second);
  assign_concat(lines.schedule_line, {" ", first_text, "  ", second_text, " \n"});
  assign_concat(lines.report_line, {game.first_team_name, " ", first_text, " , ",
                                    game.second_team_name, " ", second_text, " (SO)\n"});
}

void write_log_block(const ScheduleEntry& entry, const std::string& report_line,
                     const ShootoutResult& result, std::string& block) {
  assign_concat(block, {"<h2>", std::to_string(entry.month), "-",
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

bool begins_with(std::string_view line, char c) { return !line.empty() && line[0] == c; }

[[noreturn]] void block_missing() {
  abort_run(FailureKind::boxscore_block_missing);
}

}  // namespace

void insert_shootout_section(LineList& boxscore_lines, BoxscoreIndex& index,
                             std::int32_t game_number,
                             const ShootoutResult& result) {
  LineNode* header = index.header(boxscore_lines, game_number);
  if (header == nullptr) block_missing();

  // Lines are counted over the list as it stands, sections inserted for
  // earlier games included.
  LinePlace place(header, 0);
  for (int dashes = 0; dashes < 7;) {
    if (!place.advance()) block_missing();
    if (begins_with(place.line(), '-')) ++dashes;
  }
  if (!place.advance()) block_missing();
  while (!place.line().empty() && is_digit(place.line()[0])) {
    if (!place.advance()) block_missing();
  }
  // The anchor line ends its node; the section goes in after that node.
  LineNode* anchor = place.node();
  const std::size_t anchor_end = place.offset() + place.line().size();
  if (anchor_end < anchor->text.size()) boxscore_lines.split_at(anchor, anchor_end);

  // The section takes the line end of the anchor; an anchor without one (the
  // file's last line) first gets the line end of its box score's header.
  std::string_view line_end = line_end_of(anchor->text);
  if (line_end.empty()) {
    line_end = line_end_of(header->text.substr(0, end_of_line(header->text, 0)));
    boxscore_lines.set_text(anchor, anchor->text, line_end);
  }
  std::string_view section[10];
  std::size_t piece = 0;
  for (std::string_view line :
       {std::string_view("Shootout\n"), std::string_view("--------\n"),
        std::string_view(result.win_line),
        std::string_view(result.first_shot_log_line),
        std::string_view(result.second_shot_log_line)}) {
    line.remove_suffix(line.ends_with('\n') ? 1 : 0);
    section[piece++] = line;
    section[piece++] = line_end;
  }
  boxscore_lines.insert_after(anchor, section);
}

}  // namespace shootout
