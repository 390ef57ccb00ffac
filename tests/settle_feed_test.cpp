#include "results/settle_feed.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "failure_matchers.h"

namespace shootout {
namespace {

// Counts the draws it hands out from a seeded generator.
class CountingRandom : public RandomSource {
 public:
  explicit CountingRandom(std::uint64_t seed) : source_(seed) {}
  int draw() override {
    ++draws_;
    return source_.draw();
  }
  std::size_t draws() const { return draws_; }

 private:
  SeededRandomSource source_;
  std::size_t draws_ = 0;
};

// Forty players of assorted ratings and `count` tied games between random
// rosters of them; the games from `unresolvable` on have goalies no attempt
// can beat.
struct League {
  PlayerRegistry players;
  std::vector<std::unique_ptr<TieGame>> games;
  std::vector<ScheduleEntry> entries;

  explicit League(std::size_t count, std::size_t unresolvable = SIZE_MAX) {
    std::mt19937 generator(3);
    for (int i = 0; i < 40; ++i) {
      const auto rating = static_cast<std::int32_t>(20 + generator() % 80);
      players.player_table.push_back({i, "P" + std::to_string(i), rating, rating});
    }
    players.player_table.push_back({40, "Wall", 200, 200});
    for (std::size_t g = 0; g < count; ++g) {
      auto game = std::make_unique<TieGame>();
      game->game_number = static_cast<std::int32_t>(g + 1);
      game->first_team_name = "Home" + std::to_string(g);
      game->second_team_name = "Away" + std::to_string(g);
      for (auto* roster : {&game->first_team_skaters, &game->second_team_skaters}) {
        for (std::int32_t& p : *roster) p = static_cast<std::int32_t>(generator() % 40);
      }
      const std::int32_t goalie = g >= unresolvable ? 40 : static_cast<std::int32_t>(generator() % 40);
      game->first_team_goalies = {goalie, 0};
      game->second_team_goalies = {goalie, 0};
      // Skaters of the lowest rating cannot beat the wall.
      if (g >= unresolvable) {
        for (auto* roster : {&game->first_team_skaters, &game->second_team_skaters}) {
          roster->fill(0);
        }
        players.player_table[0].rating1 = players.player_table[0].rating2 = 20;
      }
      ScheduleEntry entry;
      entry.game_number = game->game_number;
      entry.day = static_cast<std::int32_t>(1 + g % 28);
      entry.month = static_cast<std::int32_t>(1 + g % 12);
      entry.year = 2026;
      entry.first_team = 1;
      entry.second_team = 2;
      entry.first_score = entry.second_score = static_cast<std::int32_t>(g % 5);
      entry.tie_game = game.get();
      entries.push_back(entry);
      games.push_back(std::move(game));
    }
  }
};

std::string text_of(const ShootoutResult& r) {
  return std::to_string(static_cast<int>(r.winner)) + r.win_line + r.first_shot_log_line +
         r.second_shot_log_line;
}

// Far more games than the feed holds at once: results and draws come out as
// when the games are played one after the other.
TEST(SettleFeed, HandsOverWhatPlayingOneByOneGives) {
  const League league(2000);
  CountingRandom one_by_one(99);
  std::vector<std::string> expected;
  for (const ScheduleEntry& entry : league.entries) {
    ShootoutResult result;
    play_game_shootout(league.players, *entry.tie_game, one_by_one, result);
    expected.push_back(text_of(result));
  }
  CountingRandom random(99);
  SettleFeed feed(league.players, league.entries, random);
  for (std::size_t g = 0; g < expected.size(); ++g) {
    ASSERT_EQ(text_of(feed.next()), expected[g]) << "game " << g;
  }
  EXPECT_EQ(random.draws(), one_by_one.draws());
}

// A game whose shootout fails hands over its failure in its turn, after the
// games before, and nothing after it is played.
TEST(SettleFeed, FailureComesInItsGamesTurnAndEndsThePlaying) {
  const League league(700, 600);
  CountingRandom one_by_one(5);
  for (std::size_t g = 0; g < 600; ++g) {
    ShootoutResult result;
    play_game_shootout(league.players, *league.games[g], one_by_one, result);
  }
  CountingRandom random(5);
  SettleFeed feed(league.players, league.entries, random);
  for (std::size_t g = 0; g < 600; ++g) feed.next();
  const RunFailure failure = expect_failure([&] { feed.next(); });
  EXPECT_EQ(failure.kind(), FailureKind::shootout_unresolved);
  EXPECT_EQ(random.draws(), one_by_one.draws() + 36);  // the failing game's two orders
}

// A caller that stops taking results (its own failure) leaves the feed
// waiting with a full store of results; ending it stops the thread.
TEST(SettleFeed, EndsWhileResultsWait) {
  const League league(3000);
  CountingRandom random(1);
  {
    SettleFeed feed(league.players, league.entries, random);
    feed.next();
  }
  EXPECT_LT(random.draws(), std::size_t{3000} * 36);
}

}  // namespace
}  // namespace shootout
