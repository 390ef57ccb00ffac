#include "shootout/shot_model.h"

#include <gtest/gtest.h>

#include "scripted_random.h"

namespace shootout {
namespace {

struct Band {
  std::int64_t value;
  int part;
};

TEST(ShotModel, GoalieTableAtEveryBandEdge) {
  const Band bands[] = {
      {1000, 17}, {191, 17}, {190, 19}, {187, 19}, {186, 21}, {184, 21},
      {183, 23}, {181, 23}, {180, 26}, {176, 26}, {175, 30}, {171, 30},
      {170, 34}, {166, 34}, {165, 37}, {161, 37}, {160, 40}, {156, 40},
      {155, 44}, {151, 44}, {150, 50}, {141, 50}, {140, 53}, {131, 53},
      {130, 57}, {121, 57}, {120, 59}, {111, 59}, {110, 60}, {0, 60}, {-50, 60},
  };
  for (const Band& b : bands) EXPECT_EQ(goalie_part(b.value), b.part) << b.value;
}

TEST(ShotModel, ShooterTableAtEveryBandEdge) {
  const Band bands[] = {
      {500, 18}, {99, 18}, {98, 14}, {96, 14}, {95, 12}, {93, 12}, {92, 10},
      {91, 10}, {90, 7},  {86, 7},  {85, 6},  {81, 6},  {80, 4},  {76, 4},
      {75, 2},  {71, 2},  {70, 1},  {66, 1},  {65, -2}, {61, -2}, {60, -5},
      {56, -5}, {55, -7}, {51, -7}, {50, -12}, {41, -12}, {40, -16}, {31, -16},
      {30, -17}, {0, -17}, {-9, -17},
  };
  for (const Band& b : bands) EXPECT_EQ(shooter_part(b.value), b.part) << b.value;
}

Player rated(std::int32_t r1, std::int32_t r2) { return Player{0, "x", r1, r2}; }

TEST(ShotModel, ThresholdHalvesShooterSumButNotGoalieSum) {
  EXPECT_EQ(shot_threshold(rated(80, 90), rated(85, 90)), 36);  // 6 + 30
  EXPECT_EQ(shot_threshold(rated(99, 98), rated(55, 55)), 74);  // 14 + 60
  EXPECT_EQ(shot_threshold(rated(61, 0), rated(100, 100)), 0);  // -17 + 17
  EXPECT_EQ(shot_threshold(rated(62, 0), rated(100, 100)), 1);  // -16 + 17
  EXPECT_EQ(shot_threshold(rated(INT32_MAX, INT32_MAX), rated(INT32_MIN, INT32_MIN)), 78);
}

TEST(ShotModel, ScoresBelowThresholdWithOneDrawEach) {
  const Player shooter = rated(99, 99), goalie = rated(50, 50);  // threshold 78
  ScriptedRandom random({77, 78, 177, 32767, 100});
  EXPECT_TRUE(shot_succeeds(shooter, goalie, random));
  EXPECT_FALSE(shot_succeeds(shooter, goalie, random));
  EXPECT_TRUE(shot_succeeds(shooter, goalie, random));   // 177 % 100
  EXPECT_TRUE(shot_succeeds(shooter, goalie, random));   // 67
  EXPECT_TRUE(shot_succeeds(shooter, goalie, random));   // 0
  EXPECT_EQ(random.used(), 5u);
}

TEST(ShotModel, ThresholdZeroNeverScores) {
  ScriptedRandom random({0});
  EXPECT_FALSE(shot_succeeds(rated(30, 30), rated(100, 100), random));
  EXPECT_EQ(random.used(), 1u);
}

}  // namespace
}  // namespace shootout
