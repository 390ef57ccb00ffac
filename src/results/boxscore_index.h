#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "season/line_list.h"

namespace shootout {

// Finds a game's box score header without walking boxscores.lgs from the top
// for every settled game. Built in one pass on first use, which makes each
// first header the start of a node; it stays right because no line inserted
// or rewritten later begins with "#" and the first header carrying a number
// stays the first.
class BoxscoreIndex {
 public:
  // The node that begins with the first line of `boxscores` that begins
  // with "#" followed by the game number, or null when there is none.
  LineNode* header(LineList& boxscores, std::int32_t game_number);
  // Builds the index now rather than on first use.
  void build(LineList& boxscores);

 private:
  bool built_ = false;
  std::vector<LineNode*> headers_;  // slot n: the first header of game n
};

// Whether the line is the header of the given game: "#", then that number.
bool is_boxscore_header(std::string_view line, std::int32_t game_number);

}  // namespace shootout
