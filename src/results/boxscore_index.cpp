#include "results/boxscore_index.h"

#include "season/game_report_reader.h"
#include "season/number_scan.h"

namespace shootout {

namespace {

bool header_number(const LineNode& line, std::int32_t& number) {
  if (line.text.empty() || line.text[0] != '#') return false;
  std::size_t pos = 1;
  return scan_int(line.text, pos, number);
}

}  // namespace

bool is_boxscore_header(const LineNode& line, std::int32_t game_number) {
  std::int32_t number = 0;
  return header_number(line, number) && number == game_number;
}

LineNode* BoxscoreIndex::header(const LineList& boxscores,
                                std::int32_t game_number) {
  if (!built_) {
    headers_.assign(static_cast<std::size_t>(kMaxGameNumber) + 1, nullptr);
    for (LineNode* n = boxscores.head(); n != nullptr; n = n->next) {
      std::int32_t number = 0;
      if (header_number(*n, number) && number >= 1 && number <= kMaxGameNumber &&
          headers_[static_cast<std::size_t>(number)] == nullptr) {
        headers_[static_cast<std::size_t>(number)] = n;
      }
    }
    built_ = true;
  }
  if (game_number < 1 || game_number > kMaxGameNumber) return nullptr;
  return headers_[static_cast<std::size_t>(game_number)];
}

}  // namespace shootout
