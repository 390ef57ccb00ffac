#pragma once

#include <array>
#include <cstdint>

#include "season/line_list.h"

namespace shootout {

// The standings lines of one team block: its 1st, 2nd and 5th lines. A
// member is null when the block ends before that line.
struct TeamRecordLines {
  LineNode* line1 = nullptr;
  LineNode* line2 = nullptr;
  LineNode* line5 = nullptr;
};

inline constexpr std::int32_t kMaxTeams = 30;
inline constexpr std::size_t kTeamBlockLines = 125;
inline constexpr const char* kTeamsFile = "teams.lgs";

// Slot t holds team t's record lines once its block has begun; slot 0 and
// the slots of absent teams stay empty (all members null).
struct TeamRecordTable {
  std::array<TeamRecordLines, kMaxTeams + 1> slots{};
  bool has_team(std::int32_t t) const {
    return t >= 1 && t <= kMaxTeams && slots[t].line1 != nullptr;
  }
};

// Builds the index while teams.lgs is loaded: called with every node in file
// order. Blocks after the 30th are not indexed.
class TeamRecordIndexer {
 public:
  explicit TeamRecordIndexer(TeamRecordTable& table) : table_(table) {}
  void index_team_line(LineNode* node);

 private:
  TeamRecordTable& table_;
  std::size_t block_line_ = 1;
  std::int32_t team_ = 1;
};

}  // namespace shootout
