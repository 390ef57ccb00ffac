#include "season/pending_rosters.h"

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

PendingRosters::PendingRosters(std::size_t capacity)
    : blocks_((capacity + kBlock - 1) / kBlock), capacity_(capacity) {}

RosterNames& PendingRosters::add() {
  if (added_ >= capacity_) return overflow_.emplace_back();
  std::unique_ptr<RosterNames[]>& block = blocks_[added_ / kBlock];
  if (!block) block = std::make_unique_for_overwrite<RosterNames[]>(kBlock);
  return entry(added_++);
}

void PendingRosters::publish() {
  state_.store(2 * added_, std::memory_order_release);
  state_.notify_one();
}

void PendingRosters::finish() {
  state_.store(2 * added_ + 1, std::memory_order_release);
  state_.notify_one();
}

void PendingRosters::keep_replaced(std::unique_ptr<TieGame> game) {
  replaced_.push_back(std::move(game));
}

void PendingRosters::resolve(const PlayerRegistry& registry) {
  const RosterFieldIndex fields(registry);
  std::size_t resolved = 0;
  for (;;) {
    const std::uint64_t state = state_.load(std::memory_order_acquire);
    const std::size_t published = static_cast<std::size_t>(state / 2);
    for (; resolved < published; ++resolved) resolve_roster(registry, fields, entry(resolved));
    if (state % 2 == 1) break;
    state_.wait(state, std::memory_order_acquire);
  }
  for (const RosterNames& names : overflow_) resolve_roster(registry, fields, names);
}

}  // namespace shootout
