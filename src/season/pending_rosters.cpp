#include "season/pending_rosters.h"

#include <stdexcept>

#include "season/game_report_reader.h"

namespace shootout {

namespace {

template <std::size_t N>
std::size_t resolve_names(const PlayerRegistry& registry, const RosterFieldIndex& fields,
                          const RosterNames& names, std::size_t first,
                          std::array<std::int32_t, N>& out) {
  for (std::int32_t& index : out) {
    const std::string_view name = names.name(first++);
    index = name.size() == RosterFieldIndex::kFieldSize ? fields.find(name.data()) : -1;
    if (index < 0) index = find_player(registry, name);
  }
  return first;
}

}  // namespace

void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& fields,
                    const RosterNames& names) {
  TieGame& game = *names.game;
  std::size_t next = resolve_names(registry, fields, names, 0, game.first_team_skaters);
  next = resolve_names(registry, fields, names, next, game.first_team_goalies);
  next = resolve_names(registry, fields, names, next, game.second_team_skaters);
  resolve_names(registry, fields, names, next, game.second_team_goalies);
}

void PendingRosters::players_ready(const PlayerRegistry& registry,
                                   const RosterFieldIndex& fields) {
  registry_ = &registry;
  fields_ = &fields;
  ready_.store(true, std::memory_order_release);
}

RosterNames& PendingRosters::add() { return waiting_.emplace_back(); }

void PendingRosters::resolve_if_ready() {
  if (ready_.load(std::memory_order_acquire)) resolve_waiting();
}

void PendingRosters::keep_replaced(std::unique_ptr<TieGame> game) {
  replaced_.push_back(std::move(game));
}

void PendingRosters::resolve_all() {
  if (!ready_.load(std::memory_order_acquire)) {
    throw std::logic_error("PendingRosters: the players are not ready");
  }
  resolve_waiting();
}

void PendingRosters::resolve_waiting() {
  for (const RosterNames& names : waiting_) resolve_roster(*registry_, *fields_, names);
  waiting_.clear();
}

}  // namespace shootout
