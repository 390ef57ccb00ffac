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
// order first skaters, first goalies, second skaters, second goalies.
struct RosterNames {
  static constexpr std::size_t kNames = 40;
  static constexpr std::size_t kFieldSize = 23;  // a name field's length at most

  std::string_view name(std::size_t i) const { return {text.data() + kFieldSize * i, sizes[i]}; }

  TieGame* game = nullptr;
  std::array<char, kNames * kFieldSize> text;
  std::array<std::uint8_t, kNames> sizes;
};

// The roster names of tied games, read from reports.lgs, waiting for the
// players to be loaded (on another thread, perhaps) before they become
// player indexes. Once the players are ready, the reader resolves each
// game's names as soon as it has read them, while they are at hand; only the
// games read before that wait here. Games the reader replaces (a later
// report of the same number) are kept alive until the end, so that names
// still waiting never point at a game that is gone.
class PendingRosters {
 public:
  PendingRosters() = default;
  PendingRosters(const PendingRosters&) = delete;
  PendingRosters& operator=(const PendingRosters&) = delete;

  // The players' side, on any thread: from now on the registry and its
  // field index are complete and no longer change.
  void players_ready(const PlayerRegistry& registry, const RosterFieldIndex& fields);

  // The reader's side. A new entry for a game's names; then resolves what
  // waits, if the players are ready.
  RosterNames& add();
  void resolve_if_ready();
  void keep_replaced(std::unique_ptr<TieGame> game);
  // Once players_ready has been called and the reader is done: resolves the
  // rest.
  void resolve_all();

 private:
  void resolve_waiting();

  const PlayerRegistry* registry_ = nullptr;  // set before ready_
  const RosterFieldIndex* fields_ = nullptr;
  std::atomic<bool> ready_{false};
  std::vector<RosterNames> waiting_;
  std::vector<std::unique_ptr<TieGame>> replaced_;
};

// Fills in the rosters of one game from its names.
void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& fields,
                    const RosterNames& names);

}  // namespace shootout
