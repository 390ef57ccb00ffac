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
inline constexpr std::size_t kRosterNames = 40;
using RosterFields = std::array<std::string_view, kRosterNames>;

// Fills in the rosters of a game from its name fields.
void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& index,
                    const RosterFields& fields, TieGame& game);

// Tied games whose roster names wait for the players to be loaded (on
// another thread, perhaps) before they become player indexes. Once the
// players are ready, each game the reader adds is resolved at once; the
// games read before that wait here. Either way the names are read from the
// report's own text, which must stay in place until resolve_all. Games the
// reader replaces (a later report of the same number) are kept alive until
// the end, so that names still waiting never point at a game that is gone.
class PendingRosters {
 public:
  PendingRosters() = default;
  PendingRosters(const PendingRosters&) = delete;
  PendingRosters& operator=(const PendingRosters&) = delete;

  // The players' side, on any thread: from now on the registry and its
  // field index are complete and no longer change.
  void players_ready(const PlayerRegistry& registry, const RosterFieldIndex& index);

  // The reader's side: a tied game and its name fields (no longer than a
  // roster field, 23 characters), in the report's text and in file order.
  void add(TieGame& game, const RosterFields& fields);
  void keep_replaced(std::unique_ptr<TieGame> game);
  // Once players_ready has been called and the reader is done: resolves the
  // games that wait.
  void resolve_all();

 private:
  // A waiting game's fields point into the report's text: no copy of the
  // names.
  struct Waiting {
    TieGame* game;
    RosterFields fields;
  };
  void resolve_waiting();

  const PlayerRegistry* registry_ = nullptr;  // set before ready_
  const RosterFieldIndex* index_ = nullptr;
  std::atomic<bool> ready_{false};
  std::vector<Waiting> waiting_;
  std::vector<std::unique_ptr<TieGame>> replaced_;
};

}  // namespace shootout
