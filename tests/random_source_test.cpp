#include "driver/random_source.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace shootout {
namespace {

// A seed must settle a season the same way in every version: the draws are
// the low 15 bits of std::mt19937 seeded with the seed's two halves folded
// together, well past the point where the twister makes its next 624 words.
TEST(SeededRandomSource, DrawsWhatStdMt19937GivesForTheSeed) {
  for (const std::uint64_t seed :
       {std::uint64_t{0}, std::uint64_t{5489}, std::uint64_t{0xFFFFFFFFu},
        std::uint64_t{0x123456789ABCDEF0u}, ~std::uint64_t{0}}) {
    SeededRandomSource source(seed);
    std::mt19937 reference(static_cast<std::mt19937::result_type>(seed ^ (seed >> 32)));
    for (int i = 0; i < 3000; ++i) {
      ASSERT_EQ(source.draw(), static_cast<int>(reference() & 0x7FFF))
          << "seed " << seed << ", draw " << i;
    }
  }
}

}  // namespace
}  // namespace shootout
