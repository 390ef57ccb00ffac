#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "driver/random_source.h"
#include "driver/run.h"
#include "driver/run_state.h"

int main() {
  // A fixed seed makes a run reproducible (used by the end-to-end tests);
  // otherwise the generator is seeded from the clock.
  std::uint64_t seed = static_cast<std::uint64_t>(std::time(nullptr));
  if (const char* fixed = std::getenv("SHOOTOUT_SEED")) {
    seed = std::strtoull(fixed, nullptr, 10);
  }
  shootout::SeededRandomSource random(seed);
  shootout::RunState run(".", std::cout, random);
  return shootout::run_shootout(run);
}
