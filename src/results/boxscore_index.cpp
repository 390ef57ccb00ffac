#include "results/boxscore_index.h"

#include "season/game_report_reader.h"
#include "season/number_scan.h"

namespace shootout {

namespace {

bool header_number(std::string_view line, std::int32_t& number) {
  if (line.empty() || line[0] != '#') return false;
  std::size_t pos = 1;
  return scan_int(line, pos, number);
}

}  // namespace

bool is_boxscore_header(std::string_view line, std::int32_t game_number) {
  std::int32_t number = 0;
  return header_number(line.substr(0, end_of_line(line, 0)), number) &&
         number == game_number;
}

LineNode* BoxscoreIndex::header(LineList& boxscores, std::int32_t game_number) {
  if (!built_) build(boxscores);
  if (game_number < 1 || game_number > kMaxGameNumber) return nullptr;
  return headers_[static_cast<std::size_t>(game_number)];
}

void BoxscoreIndex::build(LineList& boxscores) {
  headers_.assign(static_cast<std::size_t>(kMaxGameNumber) + 1, nullptr);
  for (LineNode* n = boxscores.head(); n != nullptr; n = n->next) {
    // Only lines that begin with "#" can be headers: look for those.
    for (std::size_t pos = 0, at = 0;
         (pos = next_line_beginning_with(n->text, at, '#')) < n->text.size();) {
      at = end_of_line(n->text, pos);
      std::int32_t number = 0;
      if (!header_number(n->text.substr(pos, at - pos), number) || number < 1 ||
          number > kMaxGameNumber || headers_[static_cast<std::size_t>(number)] != nullptr) {
        continue;
      }
      if (pos > 0) {
        n = boxscores.split_at(n, pos);
        at -= pos;
      }
      headers_[static_cast<std::size_t>(number)] = n;
    }
  }
  built_ = true;
}

}  // namespace shootout
