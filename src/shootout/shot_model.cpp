#include "shootout/shot_model.h"

#include <array>
#include <utility>

namespace shootout {

namespace {

// (lowest value of the band, part), from the highest band down; values below
// the last band take the part after it. The value's band is the first whose
// lowest value it reaches, which is the number of bands above the value:
// counted rather than searched for, since ratings come in no order that a
// branch could learn.
template <std::size_t N>
int look_up(const std::array<std::pair<int, int>, N>& bands, int below,
            std::int64_t value) {
  std::size_t above = 0;
  for (const auto& band : bands) above += value < band.first ? 1 : 0;
  return above < N ? bands[above].second : below;
}

constexpr std::array<std::pair<int, int>, 14> kGoalieBands{{
    {191, 17}, {187, 19}, {184, 21}, {181, 23}, {176, 26}, {171, 30},
    {166, 34}, {161, 37}, {156, 40}, {151, 44}, {141, 50}, {131, 53},
    {121, 57}, {111, 59},
}};

constexpr std::array<std::pair<int, int>, 14> kShooterBands{{
    {99, 18}, {96, 14}, {93, 12}, {91, 10}, {86, 7}, {81, 6}, {76, 4},
    {71, 2}, {66, 1}, {61, -2}, {56, -5}, {51, -7}, {41, -12}, {31, -16},
}};

// Counting the bands above a value finds its band only when every band
// starts below the one before it.
template <std::size_t N>
constexpr bool falling(const std::array<std::pair<int, int>, N>& bands) {
  for (std::size_t i = 1; i < N; ++i) {
    if (bands[i].first >= bands[i - 1].first) return false;
  }
  return true;
}
static_assert(falling(kGoalieBands) && falling(kShooterBands));

}  // namespace

int goalie_part(std::int64_t goalie_value) {
  return look_up(kGoalieBands, 60, goalie_value);
}

int shooter_part(std::int64_t shooter_value) {
  return look_up(kShooterBands, -17, shooter_value);
}

int shot_threshold(const Player& shooter, const Player& goalie) {
  // 64-bit sums: ratings anywhere in the 32-bit range cannot overflow.
  const std::int64_t shooter_value =
      (std::int64_t{shooter.rating1} + shooter.rating2) / 2;
  const std::int64_t goalie_value = std::int64_t{goalie.rating1} + goalie.rating2;
  return goalie_part(goalie_value) + shooter_part(shooter_value);
}

bool shot_succeeds(const Player& shooter, const Player& goalie,
                   RandomSource& random) {
  const int threshold = shot_threshold(shooter, goalie);
  return random.draw() % 100 < threshold;
}

}  // namespace shootout
