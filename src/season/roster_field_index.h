#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "season/player_registry.h"

namespace shootout {

// Finds players by a roster line's name field as it stands: 23 characters,
// a player's name padded with spaces. Such a field names the player that
// find_player gives for it, and one lookup of the field's three words
// answers it without trimming, hashing and comparing text byte by byte. A
// field of any other form is not in the index.
class RosterFieldIndex {
 public:
  static constexpr std::size_t kFieldSize = 23;

  explicit RosterFieldIndex(const PlayerRegistry& registry);

  // find_player's answer for each of `count` fields of kFieldSize
  // characters, in `players`: -1 where the field is not a name padded with
  // spaces (find_player then decides). The lookups of a roster land anywhere
  // in the table: all of them are started before the first is compared, so
  // that they wait on memory together.
  void find_all(const char* const* fields, std::size_t count, std::int32_t* players) const;

 private:
  struct Slot {
    std::uint64_t words[3];  // the field, its last byte zero
    std::int32_t player = -1;
  };
  static std::uint64_t hash_of(const std::uint64_t (&words)[3]);
  // Where the probe for a field begins.
  std::size_t home_slot(const std::uint64_t (&words)[3]) const;
  std::size_t slot_of(const std::uint64_t (&words)[3]) const;
  std::size_t probe(std::size_t first, const std::uint64_t (&words)[3]) const;

  std::vector<Slot> slots_;  // open addressing, a power of two in size
  int shift_ = 64;
};

}  // namespace shootout
