#include "season/team_record_index.h"

namespace shootout {

void TeamRecordIndexer::index_team_line(LineNode* node) {
  if (team_ <= kMaxTeams) {
    TeamRecordLines& record = table_.slots[static_cast<std::size_t>(team_)];
    if (block_line_ == 1) record.line1 = node;
    if (block_line_ == 2) record.line2 = node;
    if (block_line_ == 5) record.line5 = node;
  }
  if (++block_line_ > kTeamBlockLines) {
    block_line_ = 1;
    ++team_;
  }
}

}  // namespace shootout
