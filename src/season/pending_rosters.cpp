#include "season/pending_rosters.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "season/game_report_reader.h"

namespace shootout {

namespace {

template <std::size_t N>
std::size_t resolve_names(const PlayerRegistry& registry, const RosterFieldIndex& index,
                          const RosterFields& fields, std::size_t first,
                          std::array<std::int32_t, N>& out) {
  for (std::int32_t& player : out) {
    const std::string_view field = fields[first++];
    player = field.size() == RosterFieldIndex::kFieldSize ? index.find(field.data()) : -1;
    if (player < 0) player = find_player(registry, field);
  }
  return first;
}

}  // namespace

void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& index,
                    const RosterFields& fields, TieGame& game) {
  std::size_t next = resolve_names(registry, index, fields, 0, game.first_team_skaters);
  next = resolve_names(registry, index, fields, next, game.first_team_goalies);
  next = resolve_names(registry, index, fields, next, game.second_team_skaters);
  resolve_names(registry, index, fields, next, game.second_team_goalies);
}

void PendingRosters::players_ready(const PlayerRegistry& registry,
                                   const RosterFieldIndex& index) {
  registry_ = &registry;
  index_ = &index;
  ready_.store(true, std::memory_order_release);
}

void PendingRosters::add(TieGame& game, const RosterFields& fields) {
  if (ready_.load(std::memory_order_acquire)) {
    if (!waiting_.empty()) resolve_waiting();
    resolve_roster(*registry_, *index_, fields, game);
    return;
  }
  Waiting& waiting = waiting_.emplace_back();
  waiting.game = &game;
  for (std::size_t i = 0; i < kRosterNames; ++i) {
    const std::size_t size = std::min(fields[i].size(), Waiting::kFieldSize);
    if (size > 0) std::memcpy(waiting.text.data() + Waiting::kFieldSize * i, fields[i].data(), size);
    waiting.sizes[i] = static_cast<std::uint8_t>(size);
  }
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
  for (const Waiting& waiting : waiting_) {
    RosterFields fields;
    for (std::size_t i = 0; i < kRosterNames; ++i) {
      fields[i] = {waiting.text.data() + Waiting::kFieldSize * i, waiting.sizes[i]};
    }
    resolve_roster(*registry_, *index_, fields, *waiting.game);
  }
  waiting_.clear();
}

}  // namespace shootout
