#include "shootout/shootout_sequence.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "failure_matchers.h"
#include "scripted_random.h"
#include "shootout/shooter_order.h"

namespace shootout {
namespace {

constexpr int kGoal = 0;   // draw that scores on any threshold above 0
constexpr int kMiss = 99;  // draw that misses on any threshold (at most 78)

// Players 0-17 are the first team's skaters "F0".."F17", 18-35 the second
// team's "S0".."S17", 36 and 37 the goalies.
struct Game {
  PlayerRegistry players;
  TieGame game;
  ShootingOrder first{}, second{};

  explicit Game(std::int32_t skater_rating = 99, std::int32_t goalie_rating = 50) {
    for (int i = 0; i < 36; ++i) {
      players.player_table.push_back(
          {i, (i < 18 ? "F" : "S") + std::to_string(i % 18), skater_rating, skater_rating});
    }
    players.player_table.push_back({36, "GF", goalie_rating, goalie_rating});
    players.player_table.push_back({37, "GS", goalie_rating, goalie_rating});
    game.first_team_name = "Riverton";
    game.second_team_name = "Lakeside";
    game.first_team_goalies = {36, 0};
    game.second_team_goalies = {37, 1};
    for (int i = 0; i < 18; ++i) {
      first[i].player_index = i;
      second[i].player_index = 18 + i;
    }
  }

  ShootoutResult play(ScriptedRandom& random) {
    ShootoutResult r;
    play_shootout(game, first, second, players, random, r);
    return r;
  }
};

// The format stated independently: three rounds, first team first, over as
// soon as one side cannot be caught with the attempts left in the three
// rounds; then full sudden-death rounds until a round leaves them unequal.
// Returns the winner once the attempts given end the shootout exactly at the
// last one, or none when they do not.
std::optional<Side> best_of_three(const std::vector<bool>& goals) {
  int a = 0, b = 0;
  for (std::size_t i = 0; i < goals.size(); ++i) {
    const bool first_shoots = i % 2 == 0;
    const int round = static_cast<int>(i / 2) + 1;
    (first_shoots ? a : b) += goals[i] ? 1 : 0;
    bool over;
    if (round <= 3) {
      const int left_a = 3 - round;
      const int left_b = 3 - round + (first_shoots ? 1 : 0);
      over = a > b + left_b || b > a + left_a;
    } else {
      over = !first_shoots && a != b;
    }
    if (over) {
      if (i + 1 != goals.size()) return std::nullopt;
      return a > b ? Side::first : Side::second;
    }
  }
  return std::nullopt;
}

TEST(ShootoutSequence, StopRulesMatchBestOfThreeForEverySequence) {
  int complete = 0;
  for (int length = 1; length <= 14; ++length) {
    for (int bits = 0; bits < (1 << length); ++bits) {
      std::vector<bool> goals;
      std::vector<int> draws;
      for (int i = 0; i < length; ++i) {
        goals.push_back((bits >> i) & 1);
        draws.push_back(goals.back() ? kGoal : kMiss);
      }
      const std::optional<Side> expected = best_of_three(goals);
      if (!expected) continue;
      ++complete;
      Game g;
      ScriptedRandom random(draws);
      const ShootoutResult r = g.play(random);
      EXPECT_EQ(random.used(), draws.size()) << "sequence " << bits << "/" << length;
      EXPECT_EQ(r.winner, *expected) << "sequence " << bits << "/" << length;
    }
  }
  EXPECT_GT(complete, 100);  // the enumeration reached sudden death
}

TEST(ShootoutSequence, FirstTeamTwoNilAfterRoundTwo) {
  Game g;
  ScriptedRandom random({kGoal, kMiss, kGoal, kMiss});
  const ShootoutResult r = g.play(random);
  EXPECT_EQ(r.winner, Side::first);
  EXPECT_EQ(r.win_line, "Riverton win 2-0\n");
  EXPECT_EQ(r.first_shot_log_line, "Riverton -  F0, goal; F1, goal;\n");
  EXPECT_EQ(r.second_shot_log_line, "Lakeside -  S0, miss; S1, miss;\n");
}

TEST(ShootoutSequence, SecondTeamSkipsWhenCaughtAfterFirstAttemptOfRoundThree) {
  Game g;
  // Second team scores in round 1 only; first team misses round 3: 0-1.
  ScriptedRandom random({kMiss, kGoal, kMiss, kMiss, kMiss});
  const ShootoutResult r = g.play(random);
  EXPECT_EQ(r.winner, Side::second);
  EXPECT_EQ(r.win_line, "Lakeside win 1-0\n");
  EXPECT_EQ(r.first_shot_log_line, "Riverton -  F0, miss; F1, miss; F2, miss;\n");
  EXPECT_EQ(r.second_shot_log_line, "Lakeside -  S0, goal; S1, miss;\n");
}

TEST(ShootoutSequence, WinnersGoalsComeFirstInWinLine) {
  Game g;
  // 1-1, 1-2, 2-3 after three rounds.
  ScriptedRandom random({kGoal, kGoal, kMiss, kGoal, kGoal, kGoal});
  EXPECT_EQ(g.play(random).win_line, "Lakeside win 3-2\n");
}

TEST(ShootoutSequence, RoundNineteenUsesThePositionZeroShootersAgain) {
  Game g;
  std::vector<int> draws(36, kMiss);  // 18 scoreless rounds
  draws.push_back(kGoal);
  draws.push_back(kMiss);
  ScriptedRandom random(draws);
  const ShootoutResult r = g.play(random);
  EXPECT_EQ(r.win_line, "Riverton win 1-0\n");
  EXPECT_TRUE(r.first_shot_log_line.ends_with(" F17, miss; F0, goal;\n"));
  EXPECT_TRUE(r.second_shot_log_line.ends_with(" S17, miss; S0, miss;\n"));
}

TEST(ShootoutSequence, LongLogsAndNamesAreWrittenWhole) {
  Game g;
  for (Player& p : g.players.player_table) p.name += std::string(300, 'n');
  g.game.first_team_name = std::string(500, 'R');
  std::vector<int> draws(200, kMiss);
  draws.push_back(kGoal);
  draws.push_back(kMiss);
  ScriptedRandom random(draws);
  const ShootoutResult r = g.play(random);
  EXPECT_EQ(r.win_line, std::string(500, 'R') + " win 1-0\n");
  EXPECT_GT(r.first_shot_log_line.size(), 30000u);
  EXPECT_EQ(std::count(r.first_shot_log_line.begin(), r.first_shot_log_line.end(), ';'), 101);
  EXPECT_TRUE(r.first_shot_log_line.ends_with(std::string(300, 'n') + ", goal;\n"));
}

TEST(ShootoutSequence, NoAttemptCanScoreIsUnresolvedWithoutDrawing) {
  Game g(/*skater_rating=*/30, /*goalie_rating=*/100);
  ScriptedRandom random({});
  const RunFailure f = expect_failure([&] { g.play(random); });
  EXPECT_EQ(f.kind(), FailureKind::shootout_unresolved);
  EXPECT_EQ(random.used(), 0u);
}

TEST(ShootoutSequence, OneSideAbleToScoreStillEnds) {
  Game g(/*skater_rating=*/30, /*goalie_rating=*/100);
  g.players.player_table[5].rating1 = 99;  // F5 can score
  g.players.player_table[5].rating2 = 99;
  std::vector<int> draws(2 * 5 + 1, kMiss);
  draws.back() = kGoal;  // F5 scores in round 6
  draws.push_back(kMiss);
  ScriptedRandom random(draws);
  EXPECT_EQ(g.play(random).win_line, "Riverton win 1-0\n");
}

TEST(ShooterOrder, DrawsInRosterOrderAndSortsByScore) {
  PlayerRegistry players;
  for (int i = 0; i < 18; ++i) players.player_table.push_back({i, "P", 50, 50});
  players.player_table[3].rating1 = 70;   // sum 120: always first
  players.player_table[7].rating1 = 69;   // sum 119: level at best
  std::array<std::int32_t, 18> roster;
  for (int i = 0; i < 18; ++i) roster[i] = i;
  std::vector<int> draws(18, 0);
  draws[7] = 19;        // 119 + 19 = 138 beats 120 + 0
  draws[12] = 20 + 5;   // bonus 5 (draw modulo 20)
  ScriptedRandom random(draws);
  const ShootingOrder order = order_shooters(players, roster, random);
  EXPECT_EQ(random.used(), 18u);
  EXPECT_EQ(order[0].player_index, 7);
  EXPECT_EQ(order[0].order_score, 138);
  EXPECT_EQ(order[1].player_index, 3);
  EXPECT_EQ(order[2].player_index, 12);
  EXPECT_EQ(order[2].order_score, 105);
  for (std::size_t i = 1; i < order.size(); ++i) {
    EXPECT_LE(compare_shooters(order[i - 1], order[i]), 0);
  }
}

// Against a plain stable sort by falling score, on rosters full of equal
// scores: equal takers keep their roster order. Half of the rosters take
// some ratings from the ends of their range and from around 2^25, where
// scores stop fitting the narrow keys.
TEST(ShooterOrder, MatchesAStableSortByFallingScore) {
  constexpr std::int32_t kBases[] = {0, 0, 0, (1 << 25) - 2, -(1 << 25) - 1, INT32_MAX - 3,
                                     INT32_MIN};
  std::mt19937 generator(5);
  for (int round = 0; round < 1000; ++round) {
    PlayerRegistry players;
    auto rating = [&](std::uint32_t spread) {
      const std::size_t base = round % 2 == 0 ? 0 : generator() % std::size(kBases);
      return static_cast<std::int32_t>(kBases[base] + static_cast<std::int32_t>(generator() % spread));
    };
    for (int i = 0; i < 18; ++i) players.player_table.push_back({i, "P", rating(4), rating(3)});
    std::array<std::int32_t, 18> roster;
    for (std::int32_t& index : roster) index = static_cast<std::int32_t>(generator() % 18);
    std::vector<int> draws;
    for (int i = 0; i < 18; ++i) draws.push_back(static_cast<int>(generator() % 4));
    ScriptedRandom random(draws);
    const ShootingOrder order = order_shooters(players, roster, random);

    std::vector<ShotTaker> expected;
    for (int i = 0; i < 18; ++i) {
      const Player& p = players.player_table[static_cast<std::size_t>(roster[i])];
      expected.push_back({p.index, std::int64_t{draws[i] % 20} + p.rating1 + p.rating2});
    }
    std::stable_sort(expected.begin(), expected.end(), [](const ShotTaker& a, const ShotTaker& b) {
      return a.order_score > b.order_score;
    });
    for (std::size_t i = 0; i < 18; ++i) {
      ASSERT_EQ(order[i].player_index, expected[i].player_index) << "round " << round << " place " << i;
      ASSERT_EQ(order[i].order_score, expected[i].order_score) << "round " << round << " place " << i;
    }
  }
}

TEST(ShooterOrder, PlayerListedTwiceGetsTwoEntries) {
  PlayerRegistry players;
  for (int i = 0; i < 18; ++i) players.player_table.push_back({i, "P", 10, 10});
  std::array<std::int32_t, 18> roster{};
  roster.fill(1);
  roster[0] = 0;
  ScriptedRandom random(std::vector<int>(18, 0));
  const ShootingOrder order = order_shooters(players, roster, random);
  EXPECT_EQ(std::count_if(order.begin(), order.end(),
                          [](const ShotTaker& t) { return t.player_index == 1; }),
            17);
}

}  // namespace
}  // namespace shootout
