#include "results/tie_game_scan.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_records.h"
#include "results/settle_feed.h"
#include "results/standings_update.h"
#include "season/concat.h"
#include "season/number_scan.h"

namespace shootout {

ScheduleEntry read_schedule_entry(std::int32_t game_number,
                                  const LineNode& date_line,
                                  LineNode& score_line) {
  ScheduleEntry entry;
  entry.game_number = game_number;
  entry.score_line = &score_line;
  std::int32_t date[5];
  std::int32_t scores[2];
  if (scan_ints(date_line.text, date, 5) != 5 ||
      scan_ints(score_line.text, scores, 2) != 2) {
    return entry;
  }
  entry.day = date[0];
  entry.month = date[1];
  entry.year = date[2];
  entry.first_team = date[3];
  entry.second_team = date[4];
  entry.first_score = scores[0];
  entry.second_score = scores[1];
  return entry;
}

bool qualifies(const ScheduleEntry& entry) {
  auto in_league = [](std::int32_t t) { return t >= 1 && t <= kMaxTeams; };
  return entry.tie_game != nullptr && entry.first_score == entry.second_score &&
         in_league(entry.first_team) && in_league(entry.second_team);
}

namespace {

// The texts a game gives the season, written over from one game to the next
// so that their buffers are allocated once.
struct GameTexts {
  ScoreLines lines;
  std::string log_block;
  std::string console_line;
};

// Writes a console line in one piece.
void say(RunState& run, std::string& line, std::initializer_list<std::string_view> pieces) {
  assign_concat(line, pieces);
  run.console.write(line.data(), static_cast<std::streamsize>(line.size()));
}

// Records a game's shootout in the season: standings, log block, replaced
// score lines, box score section.
void record_game(RunState& run, ScheduleEntry& entry, const ShootoutResult& result,
                 GameTexts& texts) {
  compose_score_lines(entry, *entry.tie_game, result.winner, texts.lines);
  write_log_block(entry, texts.lines.report_line, result, texts.log_block);
  update_standings(run.team_record_table, run.team_lines, entry.month, entry.first_team,
                   entry.second_team, result.winner);
  std::fwrite(texts.log_block.data(), 1, texts.log_block.size(), run.log_file);
  replace_score_lines(*entry.tie_game, entry, texts.lines, run.report_lines,
                      run.schedule_lines);
  insert_shootout_section(run.boxscore_lines, run.boxscore_index, entry.game_number,
                          result);
}

// Starts loading what settling a game reads first, so that it arrives while
// the games before are settled: the report's score line and the box score
// lie far apart in large files, and each game's are somewhere else. The
// records that point at them are loaded a game earlier still, so that
// finding the addresses waits on nothing.
void prefetch_records(RunState& run, const ScheduleEntry& entry) {
#if defined(__GNUC__)
  __builtin_prefetch(entry.tie_game);
  __builtin_prefetch(entry.tie_game->score_line);
  __builtin_prefetch(run.boxscore_index.header(run.boxscore_lines, entry.game_number));
#else
  (void)run;
  (void)entry;
#endif
}

void prefetch_texts(RunState& run, const ScheduleEntry& entry) {
#if defined(__GNUC__)
  __builtin_prefetch(entry.tie_game->score_line->text.data());
  if (const LineNode* header = run.boxscore_index.header(run.boxscore_lines, entry.game_number)) {
    // A box score's lines up to the shootout section fit in about a kilobyte.
    const std::size_t reach = std::min<std::size_t>(header->text.size(), 1024);
    for (std::size_t offset = 0; offset < reach; offset += 64) {
      __builtin_prefetch(header->text.data() + offset);
    }
  }
#else
  (void)run;
  (void)entry;
#endif
}

}  // namespace

void scan_schedule(RunState& run) {
  std::vector<ScheduleEntry> entries;
  std::int32_t game_number = 0;
  for (LineNode* date_line = run.schedule_lines.head();
       date_line != nullptr && date_line->next != nullptr;
       date_line = date_line->next->next) {
    ++game_number;
    if (game_number > kMaxGameNumber) break;
    ScheduleEntry entry =
        read_schedule_entry(game_number, *date_line, *date_line->next);
    entry.tie_game =
        run.tie_game_table[static_cast<std::size_t>(game_number)].get();
    if (qualifies(entry)) entries.push_back(entry);
  }
  if (entries.empty()) return;
  run.tie_found = true;

  // The shootouts are played on a second thread, in schedule order, while
  // this one records the games before.
  SettleFeed shootouts(run.players, entries, run.random);
  GameTexts texts;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i + 2 < entries.size()) prefetch_records(run, entries[i + 2]);
    if (i + 1 < entries.size()) prefetch_texts(run, entries[i + 1]);
    ScheduleEntry& entry = entries[i];
    const TieGame& game = *entry.tie_game;
    say(run, texts.console_line,
        {"Found tie game between ", game.first_team_name, " and ", game.second_team_name, "\n"});
    const ShootoutResult& result = shootouts.next();
    say(run, texts.console_line,
        {"Successful shootout between ", game.first_team_name, " and ", game.second_team_name,
         "\n"});
    record_game(run, entry, result, texts);
  }
}

}  // namespace shootout
