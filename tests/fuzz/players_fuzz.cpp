// players.lgs reader: any input is read or refused, never crashes, and every
// player read sits in its own slot with a trimmed name.

#include <cstdint>
#include <string_view>

#include "driver/run_failure.h"
#include "fuzz_check.h"
#include "season/number_scan.h"
#include "season/player_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  shootout::PlayerRegistry registry;
  try {
    shootout::load_players(content, registry);
  } catch (const shootout::RunFailure&) {
    return 0;
  }
  FUZZ_CHECK(registry.player_count() <= shootout::PlayerRegistry::kCapacity);
  for (std::int32_t i = 0; i < registry.player_count(); ++i) {
    const shootout::Player& p = registry.player_table[static_cast<std::size_t>(i)];
    FUZZ_CHECK(p.index == i);
    FUZZ_CHECK(p.name.empty() || (shootout::is_alnum(p.name.front()) &&
                                  shootout::is_alnum(p.name.back())));
  }
  return 0;
}
