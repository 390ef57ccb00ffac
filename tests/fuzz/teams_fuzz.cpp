// teams.lgs index: any input is kept byte for byte, and each indexed team
// points at lines 1, 2 and 5 of its own 125-line block.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "season/team_record_index.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  shootout::LineList lines;
  shootout::TeamRecordTable table;
  shootout::TeamRecordIndexer indexer(table);
  shootout::load_line_list(content, lines,
                           [&](shootout::LineNode* node) { indexer.index_team_line(node); });
  FUZZ_CHECK(lines.joined() == content);
  std::map<const shootout::LineNode*, std::size_t> position;
  std::size_t n = 0;
  for (const shootout::LineNode* node = lines.head(); node != nullptr; node = node->next) {
    position[node] = n++;
  }
  FUZZ_CHECK(!table.has_team(0) && table.slots[0].line1 == nullptr);
  for (std::int32_t t = 1; t <= shootout::kMaxTeams; ++t) {
    const shootout::TeamRecordLines& r = table.slots[static_cast<std::size_t>(t)];
    const std::size_t first = 125 * static_cast<std::size_t>(t - 1);
    FUZZ_CHECK(r.line1 == nullptr || position.at(r.line1) == first);
    FUZZ_CHECK(r.line2 == nullptr || position.at(r.line2) == first + 1);
    FUZZ_CHECK(r.line5 == nullptr || position.at(r.line5) == first + 4);
  }
  return 0;
}
