#pragma once

#include <cstdint>
#include <random>

namespace shootout {

// The run's one source of random numbers: every draw yields 0 to 32767.
class RandomSource {
 public:
  static constexpr int kMax = 32767;
  virtual ~RandomSource() = default;
  virtual int draw() = 0;
};

// The generator of a real run: a Mersenne twister seeded once, each draw
// taking the low 15 bits of its next output.
class SeededRandomSource : public RandomSource {
 public:
  explicit SeededRandomSource(std::uint64_t seed);
  int draw() override;

 private:
  std::mt19937 engine_;
};

}  // namespace shootout
