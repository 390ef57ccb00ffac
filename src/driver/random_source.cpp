#include "driver/random_source.h"

namespace shootout {

SeededRandomSource::SeededRandomSource(std::uint64_t seed)
    : engine_(static_cast<Engine::result_type>(seed ^ (seed >> 32))) {}

int SeededRandomSource::draw() {
  return static_cast<int>(engine_() & static_cast<unsigned>(kMax));
}

}  // namespace shootout
