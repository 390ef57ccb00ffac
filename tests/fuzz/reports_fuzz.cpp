// reports.lgs reader: every byte is kept for the write-back, and every tied
// game sits in the slot of its number with its score line among the lines.

#include <cstdint>
#include <string>
#include <string_view>

#include "driver/run_failure.h"
#include "fuzz_check.h"
#include "season/game_report_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  static const shootout::PlayerRegistry registry = [] {
    shootout::PlayerRegistry r;
    r.player_table = {{0, "Aldo Brisk", 80, 80}, {1, "Aldo Brinkman", 70, 90}, {2, "Bo Vale", 60, 60}};
    shootout::index_player_names(r);
    return r;
  }();
  shootout::LineList lines;
  shootout::TieGameTable table = shootout::make_tie_game_table();
  try {
    shootout::load_reports(shootout::FileText::copy_of(content), registry, lines, table);
  } catch (const shootout::RunFailure&) {
    return 0;
  }
  FUZZ_CHECK(lines.joined() == content);
  for (std::size_t n = 0; n < table.size(); ++n) {
    if (!table[n]) continue;
    FUZZ_CHECK(table[n]->game_number == static_cast<std::int32_t>(n));
    FUZZ_CHECK(table[n]->score_line != nullptr);
    for (std::int32_t index : table[n]->first_team_skaters) {
      FUZZ_CHECK(index >= 0 && index < registry.player_count());
    }
  }
  return 0;
}
