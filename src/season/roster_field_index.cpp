#include "season/roster_field_index.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace shootout {

namespace {

// The field's 23 bytes as three words, the last one's spare byte zero. The
// words are read straight from the field: going through a copy on the stack
// would make each read wait for the copy's overlapping stores.
void load_words(const char* field, std::uint64_t (&words)[3]) {
  static_assert(RosterFieldIndex::kFieldSize == 23);
  std::uint64_t last;
  std::memcpy(&words[0], field, 8);
  std::memcpy(&words[1], field + 8, 8);
  std::memcpy(&last, field + 15, 8);  // bytes 15 to 22: byte 15 is dropped
  if constexpr (std::endian::native == std::endian::big) {
    words[2] = last << 8;
  } else {
    words[2] = last >> 8;
  }
}

}  // namespace

RosterFieldIndex::RosterFieldIndex(const PlayerRegistry& registry) {
  const std::size_t size = std::bit_ceil(2 * registry.player_table.size() + 1);
  slots_.resize(size);
  shift_ = 64 - std::countr_zero(size);
  for (const Player& player : registry.player_table) {
    if (player.name.empty() || player.name.size() > kFieldSize) continue;
    std::string field = player.name;
    field.resize(kFieldSize, ' ');
    std::uint64_t words[3];
    load_words(field.data(), words);
    Slot& slot = slots_[slot_of(words)];
    if (slot.player >= 0) continue;  // the same name again: the same answer
    std::memcpy(slot.words, words, sizeof words);
    slot.player = find_player(registry, std::string_view(player.name));
  }
}

std::uint64_t RosterFieldIndex::hash_of(const std::uint64_t (&words)[3]) {
  std::uint64_t hash = words[0] * 0x9e3779b97f4a7c15ULL;
  hash = (hash ^ (hash >> 29) ^ words[1]) * 0xbf58476d1ce4e5b9ULL;
  return (hash ^ (hash >> 31) ^ words[2]) * 0x94d049bb133111ebULL;
}

std::size_t RosterFieldIndex::probe(std::size_t first, const std::uint64_t (&words)[3]) const {
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t i = first;; i = (i + 1) & mask) {
    const Slot& slot = slots_[i];
    if (slot.player < 0 || (slot.words[0] == words[0] && slot.words[1] == words[1] &&
                            slot.words[2] == words[2])) {
      return i;
    }
  }
}

std::size_t RosterFieldIndex::home_slot(const std::uint64_t (&words)[3]) const {
  return shift_ < 64 ? hash_of(words) >> shift_ : 0;
}

std::size_t RosterFieldIndex::slot_of(const std::uint64_t (&words)[3]) const {
  return probe(home_slot(words), words);
}

void RosterFieldIndex::find_all(const char* const* fields, std::size_t count,
                                std::int32_t* players) const {
  constexpr std::size_t kBatch = 64;
  std::uint64_t words[kBatch][3];
  std::size_t first[kBatch];
  for (std::size_t done = 0; done < count; done += kBatch) {
    const std::size_t n = std::min(kBatch, count - done);
    for (std::size_t i = 0; i < n; ++i) {
      load_words(fields[done + i], words[i]);
      first[i] = home_slot(words[i]);
#if defined(__GNUC__)
      __builtin_prefetch(&slots_[first[i]]);
#endif
    }
    for (std::size_t i = 0; i < n; ++i) players[done + i] = slots_[probe(first[i], words[i])].player;
  }
}

}  // namespace shootout
