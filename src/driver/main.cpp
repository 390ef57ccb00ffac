#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "driver/command_line.h"
#include "driver/process_memory.h"
#include "driver/random_source.h"
#include "driver/run.h"
#include "driver/run_state.h"

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
#if defined(_WIN32)
  // The console texts are written byte for byte, as on every other system.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  // The console is written through std::cout alone: it needs no
  // synchronising with C's stdout, and buffers a settled season's thousands
  // of lines in large writes.
  std::ios::sync_with_stdio(false);
  switch (shootout::read_command_line(argc, argv)) {
    case shootout::Request::help:
      std::cout << shootout::usage_text();
      return 0;
    case shootout::Request::version:
      std::cout << shootout::version_text();
      return 0;
    case shootout::Request::run:
      break;
  }
  // A fixed seed makes a run reproducible (used by the end-to-end tests);
  // otherwise the generator is seeded from the clock.
  std::uint64_t seed = static_cast<std::uint64_t>(std::time(nullptr));
  if (const char* fixed = std::getenv("SHOOTOUT_SEED")) {
    seed = std::strtoull(fixed, nullptr, 10);
  }
  const shootout::LargeRunHeap heap;
  shootout::SeededRandomSource random(seed);
  shootout::RunState run(".", std::cout, random);
  return shootout::run_shootout(run);
}
