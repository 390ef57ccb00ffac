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

  PlayerRegistry() = default;
  // Moving keeps the names where the index views them; a copy would not.
  PlayerRegistry(PlayerRegistry&&) = default;
  PlayerRegistry& operator=(PlayerRegistry&&) = default;
  PlayerRegistry(const PlayerRegistry&) = delete;
  PlayerRegistry& operator=(const PlayerRegistry&) = delete;

  std::vector<Player> player_table;

  // The name index of find_player: player indexes ordered by name, and for
  // each power of two 2^k, lowest[k][i] is the lowest index among the 2^k
  // names from position i of that order.
  std::vector<std::int32_t> by_name;
  std::vector<std::vector<std::int32_t>> lowest;
  // The answer for every text that is a whole player name, the usual case:
  // an open-addressing table (a power of two in size, free slots hold -1).
  // Each slot keeps half of its name's hash, so that a probe compares names
  // only when those agree, and the place of the name in whole_names, where
  // the names stand packed together: a lookup touches little memory.
  struct WholeName {
    std::uint32_t check = 0;
    std::int32_t lowest = -1;
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
  };
  std::vector<WholeName> by_whole_name;
  std::string whole_names;

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

// Builds the name index; load_players does it, and a registry filled by
// other means must do it before find_player is used.
void index_player_names(PlayerRegistry& registry);

// Removes from both ends every byte that is neither a digit nor a letter.
void trim_name(std::string& text);

// The text without the bytes that trim_name removes.
std::string_view trimmed(std::string_view text);

// The lowest index whose name begins with the trimmed text, or 0 when there
// is none (an empty text yields 0). `text` is trimmed in place.
std::int32_t find_player(const PlayerRegistry& registry, std::string& text);
std::int32_t find_player(const PlayerRegistry& registry, std::string_view text);

}  // namespace shootout
