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

// The generator of a real run: a Mersenne twister (MT19937) seeded once,
// each draw taking the low 15 bits of its next output.
class SeededRandomSource : public RandomSource {
 public:
  explicit SeededRandomSource(std::uint64_t seed);
  int draw() override;

  // std::mt19937 itself, with its state held in 32-bit words rather than
  // the 64-bit ones the library picks: the same numbers, made in about a
  // third of the time.
  using Engine = std::mersenne_twister_engine<std::uint32_t, 32, 624, 397, 31, 0x9908b0dfU, 11,
                                              0xffffffffU, 7, 0x9d2c5680U, 15, 0xefc60000U,
                                              18, 1812433253U>;

 private:
  Engine engine_;
};

}  // namespace shootout
