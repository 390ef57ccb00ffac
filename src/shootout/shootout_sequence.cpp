#include "shootout/shootout_sequence.h"

#include <string>

#include "driver/run_failure.h"
#include "shootout/shooter_order.h"
#include "shootout/shot_model.h"

namespace shootout {

std::optional<Side> decided_after_first(std::int64_t round, int a, int b) {
  if (round >= 3 && a == 2 && b == 0) return Side::first;
  if (a == 3 && (b == 0 || b == 1)) return Side::first;
  if (round >= 3 && b > a) return Side::second;
  return std::nullopt;
}

std::optional<Side> decided_after_second(std::int64_t round, int a, int b) {
  if (round >= 3 && a != b) return a > b ? Side::first : Side::second;
  if (b == 2 && a == 0) return Side::second;
  if (b == 0 && a >= 2) return Side::first;
  return std::nullopt;
}

namespace {

const Player& player_at(const PlayerRegistry& registry, std::int32_t index) {
  return registry.player_table.at(static_cast<std::size_t>(index));
}

bool any_attempt_can_score(const ShootingOrder& order, const Player& goalie,
                           const PlayerRegistry& registry) {
  for (const ShotTaker& taker : order) {
    if (shot_threshold(player_at(registry, taker.player_index), goalie) > 0) {
      return true;
    }
  }
  return false;
}

// One attempt: decides it, counts a goal and writes the shot log entry.
void attempt(const Player& shooter, const Player& goalie, RandomSource& random,
             int& goals, std::string& log) {
  const bool goal = shot_succeeds(shooter, goalie, random);
  if (goal) ++goals;
  log += ' ';
  log += shooter.name;
  log += goal ? ", goal;" : ", miss;";
}

}  // namespace

void play_shootout(const TieGame& game, const ShootingOrder& first,
                   const ShootingOrder& second, const PlayerRegistry& registry,
                   RandomSource& random, ShootoutResult& result) {
  const Player& first_goalie = player_at(registry, game.first_team_goalies[0]);
  const Player& second_goalie =
      player_at(registry, game.second_team_goalies[0]);
  // With no attempt of either side able to score, no round can ever leave
  // the goals unequal.
  if (!any_attempt_can_score(first, second_goalie, registry) &&
      !any_attempt_can_score(second, first_goalie, registry)) {
    abort_run(FailureKind::shootout_unresolved);
  }

  int a = 0, b = 0;
  // The shot logs are written in place, each behind its team's name, with
  // room for the usual shootout's entries so that they rarely grow.
  std::string& first_log = result.first_shot_log_line;
  std::string& second_log = result.second_shot_log_line;
  first_log.reserve(256);
  second_log.reserve(256);
  first_log.assign(game.first_team_name).append(" - ");
  second_log.assign(game.second_team_name).append(" - ");
  std::optional<Side> winner;
  for (std::int64_t round = 1; !winner; ++round) {
    if (round > kMaxRounds) abort_run(FailureKind::shootout_unresolved);
    const std::size_t position = static_cast<std::size_t>((round - 1) % 18);
    attempt(player_at(registry, first[position].player_index), second_goalie,
            random, a, first_log);
    winner = decided_after_first(round, a, b);
    if (winner) break;
    attempt(player_at(registry, second[position].player_index), first_goalie,
            random, b, second_log);
    winner = decided_after_second(round, a, b);
  }
  if (a == b) abort_run(FailureKind::shootout_unresolved);

  first_log += '\n';
  second_log += '\n';
  result.winner = *winner;
  const bool first_won = *winner == Side::first;
  result.win_line.assign(first_won ? game.first_team_name : game.second_team_name)
      .append(" win ")
      .append(std::to_string(first_won ? a : b))
      .append("-")
      .append(std::to_string(first_won ? b : a))
      .append("\n");
}

void play_game_shootout(const PlayerRegistry& registry, const TieGame& game,
                        RandomSource& random, ShootoutResult& result) {
  if (registry.player_table.empty()) {
    abort_run(FailureKind::season_file_invalid,
              std::string(kPlayersFile) +
                  ": declares no players, so the rosters of tied game " +
                  std::to_string(game.game_number) + " name nobody");
  }
  const ShootingOrder first = order_shooters(registry, game.first_team_skaters, random);
  const ShootingOrder second = order_shooters(registry, game.second_team_skaters, random);
  play_shootout(game, first, second, registry, random, result);
}

}  // namespace shootout
