#include "season/pending_rosters.h"

#include <span>
#include <stdexcept>

#include "season/game_report_reader.h"

namespace shootout {

void resolve_roster(const PlayerRegistry& registry, const RosterFieldIndex& index,
                    const RosterFields& fields, TieGame& game) {
  // A field of any other length than a roster field's is looked up as a
  // blank field, which names no player, and then decided by find_player.
  static constexpr char kBlank[RosterFieldIndex::kFieldSize + 1] = "                       ";
  const char* texts[kRosterNames];
  for (std::size_t i = 0; i < kRosterNames; ++i) {
    texts[i] = fields[i].size() == RosterFieldIndex::kFieldSize ? fields[i].data() : kBlank;
  }
  std::int32_t players[kRosterNames];
  index.find_all(texts, kRosterNames, players);
  for (std::size_t i = 0; i < kRosterNames; ++i) {
    if (players[i] < 0) players[i] = find_player(registry, fields[i]);
  }
  std::size_t next = 0;
  for (std::span<std::int32_t> roster :
       {std::span<std::int32_t>(game.first_team_skaters), std::span<std::int32_t>(game.first_team_goalies),
        std::span<std::int32_t>(game.second_team_skaters),
        std::span<std::int32_t>(game.second_team_goalies)}) {
    for (std::int32_t& player : roster) player = players[next++];
  }
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
  waiting_.push_back({&game, fields});
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
    resolve_roster(*registry_, *index_, waiting.fields, *waiting.game);
  }
  waiting_.clear();
}

}  // namespace shootout
