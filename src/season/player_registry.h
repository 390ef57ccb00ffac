#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shootout {

struct Player {
  std::int32_t index = 0;  // position in players.lgs, from 0
  std::string name;        // the name line, trimmed
  std::int32_t rating1 = 0;
  std::int32_t rating2 = 0;
};

// Every player of the league, slot i holding the player of index i.
struct PlayerRegistry {
  static constexpr std::int32_t kCapacity = 4000;
  std::vector<Player> player_table;

  std::int32_t player_count() const {
    return static_cast<std::int32_t>(player_table.size());
  }
};

inline constexpr const char* kPlayersFile = "players.lgs";

// Reads players.lgs: line 1 holds the count, then one 20-line block per
// player (line 1 the numbers, line 14 the name). A count of 0 or less is an
// empty registry; a count above the capacity, a line 1 without a number, a
// file that ends before the last block is complete, or a numbers line with
// fewer than three integers is a failure.
void load_players(std::string_view content, PlayerRegistry& registry);

// Removes from both ends every byte that is neither a digit nor a letter.
void trim_name(std::string& text);

// The lowest index whose name begins with the trimmed text, or 0 when there
// is none (an empty text yields 0). `text` is trimmed in place.
std::int32_t find_player(const PlayerRegistry& registry, std::string& text);

}  // namespace shootout
