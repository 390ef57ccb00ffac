#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "season/player_registry.h"
#include "season/roster_field_index.h"

namespace shootout {

struct TieGame;

// The roster name fields of one tied game as its report gives them, in the
// order first skaters, first goalies, second skaters, second goalies. They
// are copied while the report is read, so that resolving them reads one
// dense buffer rather than the whole file again.
struct RosterNames {
  static constexpr std::size_t kNames = 40;
  static constexpr std::size_t kFieldSize = 23;  // a name field's length at most

  std::string_view name(std::size_t i) const { return {text.data() + kFieldSize * i, sizes[i]}; }

  // Left uninitialised until the reader fills the entry in.
  TieGame* game;
  std::array<char, kNames * kFieldSize> text;
  std::array<std::uint8_t, kNames> sizes;
};

// Tied games whose roster names are read but not yet turned into player
// indexes. The reader of reports.lgs adds them; one resolver, on another
// thread if need be, resolves them once the players are loaded, while the
// reader is still adding more. Games the reader replaces (a later report of
// the same number) are kept alive here, so that a resolver never writes to a
// game that is gone.
class PendingRosters {
 public:
  explicit PendingRosters(std::size_t capacity);
  PendingRosters(const PendingRosters&) = delete;
  PendingRosters& operator=(const PendingRosters&) = delete;

  // Reader side. The entry `add` returns becomes visible to the resolver at
  // the next publish() or finish(); finish() ends the adding, and must come
  // on every path, failures included.
  RosterNames& add();
  void publish();
  void finish();
  void keep_replaced(std::unique_ptr<TieGame> game);

  // Resolver side: resolves entries as they are published, and returns once
  // the reader has finished and every entry is resolved.
  void resolve(const PlayerRegistry& registry);

 private:
  // Entries up to the capacity stand in blocks that never move, made as the
  // entries come, so the resolver may read them while the reader adds; any
  // beyond it are resolved after the reader has finished.
  static constexpr std::size_t kBlock = 128;
  RosterNames& entry(std::size_t i) { return blocks_[i / kBlock][i % kBlock]; }
  std::vector<std::unique_ptr<RosterNames[]>> blocks_;  // never resized
  std::size_t capacity_;
  std::size_t added_ = 0;
  std::vector<RosterNames> overflow_;
  std::vector<std::unique_ptr<TieGame>> replaced_;
  // Twice the number of published entries, plus one once finished.
  std::atomic<std::uint64_t> state_{0};
};

// Fills in the rosters of one game from its names.
void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& fields,
                    const RosterNames& names);

}  // namespace shootout
