#include "season/player_registry.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <stdexcept>

#include "driver/run_failure.h"
#include "season/line_list.h"
#include "season/number_scan.h"

namespace shootout {

namespace {
constexpr std::size_t kBlockLines = 20;
constexpr std::size_t kNameLine = 13;  // line 14 of the block, from 0
}  // namespace

void load_players(std::string_view content, PlayerRegistry& registry) {
  registry.player_table.clear();
  const std::size_t first_end = end_of_line(content, 0);
  std::int32_t count = 0;
  std::size_t pos = 0;
  if (content.empty() || !scan_int(content.substr(0, first_end), pos, count)) {
    abort_invalid(kPlayersFile, 1, "no player count");
  }
  if (count > PlayerRegistry::kCapacity) {
    abort_invalid(kPlayersFile, 1,
                  "player count " + std::to_string(count) + " exceeds " +
                      std::to_string(PlayerRegistry::kCapacity));
  }
  if (count <= 0) return;

  registry.player_table.reserve(static_cast<std::size_t>(count));
  std::size_t at = first_end;
  std::size_t lines_read = 1;
  for (std::int32_t i = 0; i < count; ++i) {
    std::size_t ends[kBlockLines];
    const std::size_t found = line_ends(content, at, ends, kBlockLines);
    if (found < kBlockLines) {
      abort_invalid(kPlayersFile, lines_read + found,
                    "file ends inside the block of player " +
                        std::to_string(i) + " of " + std::to_string(count));
    }
    auto line = [&](std::size_t n) {
      const std::size_t start = n == 0 ? at : ends[n - 1];
      return content.substr(start, ends[n] - start);
    };
    std::int32_t numbers[3];
    if (scan_ints(line(0), numbers, 3) != 3) {
      abort_invalid(kPlayersFile, lines_read + 1, "expected three numbers");
    }
    Player player;
    player.index = i;
    player.name = std::string(trimmed(line(kNameLine)));
    player.rating1 = numbers[0];
    player.rating2 = numbers[2];
    registry.player_table.push_back(std::move(player));
    at = ends[kBlockLines - 1];
    lines_read += kBlockLines;
  }
  index_player_names(registry);
}

namespace {

std::int32_t lowest_with_prefix(const PlayerRegistry& registry,
                                std::string_view text);

std::uint64_t name_hash(std::string_view name) {
  constexpr std::uint64_t kMultiplier = 0x9e3779b97f4a7c15ULL;
  std::uint64_t hash = name.size() * kMultiplier;
  // Eight bytes a step: player names are short, so this is a few steps.
  for (; name.size() >= 8; name.remove_prefix(8)) {
    std::uint64_t word;
    std::memcpy(&word, name.data(), 8);
    hash = (hash ^ word) * kMultiplier;
    hash ^= hash >> 31;
  }
  std::uint64_t last = 0;
  for (std::size_t i = 0; i < name.size(); ++i) {
    last |= std::uint64_t{static_cast<unsigned char>(name[i])} << (8 * i);
  }
  hash = (hash ^ last) * kMultiplier;
  return (hash ^ (hash >> 31)) * kMultiplier;
}

// The position of `name` (whose hash is `hash`) in the whole-name table:
// the slot holding it, or the free slot where it belongs.
std::size_t whole_name_slot(const PlayerRegistry& registry, std::string_view name,
                            std::uint64_t hash) {
  const std::vector<PlayerRegistry::WholeName>& table = registry.by_whole_name;
  const std::size_t mask = table.size() - 1;
  const auto check = static_cast<std::uint32_t>(hash);
  // The high bits of the hash are the best mixed ones.
  const int bits = std::countr_zero(table.size());
  for (std::size_t i = bits == 0 ? 0 : hash >> (64 - bits);; i = (i + 1) & mask) {
    const PlayerRegistry::WholeName& slot = table[i];
    if (slot.lowest < 0) return i;
    if (slot.check == check && slot.size == name.size() &&
        (name.empty() ||
         std::memcmp(registry.whole_names.data() + slot.offset, name.data(), name.size()) == 0)) {
      return i;
    }
  }
}

}  // namespace

void index_player_names(PlayerRegistry& registry) {
  const std::vector<Player>& players = registry.player_table;
  std::vector<std::int32_t>& order = registry.by_name;
  order.resize(players.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i);
  std::sort(order.begin(), order.end(), [&](std::int32_t a, std::int32_t b) {
    return players[static_cast<std::size_t>(a)].name < players[static_cast<std::size_t>(b)].name;
  });
  registry.lowest.assign(1, order);
  for (std::size_t span = 2; span <= order.size(); span *= 2) {
    const std::vector<std::int32_t>& half = registry.lowest.back();
    std::vector<std::int32_t> level(order.size() - span + 1);
    for (std::size_t i = 0; i < level.size(); ++i) {
      level[i] = std::min(half[i], half[i + span / 2]);
    }
    registry.lowest.push_back(std::move(level));
  }
  std::vector<PlayerRegistry::WholeName>& table = registry.by_whole_name;
  table.assign(std::bit_ceil(2 * players.size() + 1), {});
  registry.whole_names.clear();
  for (const Player& player : players) {
    const std::uint64_t hash = name_hash(player.name);
    PlayerRegistry::WholeName& slot = table[whole_name_slot(registry, player.name, hash)];
    if (slot.lowest >= 0) continue;
    slot = {static_cast<std::uint32_t>(hash), lowest_with_prefix(registry, player.name),
            static_cast<std::uint32_t>(registry.whole_names.size()),
            static_cast<std::uint32_t>(player.name.size())};
    registry.whole_names += player.name;
  }
}

std::string_view trimmed(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && !is_alnum(text[begin])) ++begin;
  std::size_t end = text.size();
  // Roster name fields are padded with spaces: pass those eight at a time.
  constexpr std::uint64_t kSpaces = 0x2020202020202020ULL;
  for (std::uint64_t word; end >= begin + 8; end -= 8) {
    std::memcpy(&word, text.data() + end - 8, 8);
    if (word != kSpaces) break;
  }
  while (end > begin && !is_alnum(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

void trim_name(std::string& text) {
  const std::string_view kept = trimmed(text);
  const std::size_t begin = static_cast<std::size_t>(kept.data() - text.data());
  text.erase(begin + kept.size());
  text.erase(0, begin);
}

namespace {

// The lowest index among the names that begin with `text`, through the name
// order: those names stand together in it.
std::int32_t lowest_with_prefix(const PlayerRegistry& registry,
                                std::string_view text) {
  const std::vector<std::int32_t>& order = registry.by_name;
  auto name = [&](std::int32_t i) -> std::string_view {
    return registry.player_table[static_cast<std::size_t>(i)].name;
  };
  const auto first = std::lower_bound(
      order.begin(), order.end(), text,
      [&](std::int32_t i, std::string_view t) { return name(i) < t; });
  const auto last = std::partition_point(
      first, order.end(), [&](std::int32_t i) { return name(i).starts_with(text); });
  if (first == last) return 0;
  const std::size_t from = static_cast<std::size_t>(first - order.begin());
  const std::size_t count = static_cast<std::size_t>(last - first);
  const std::size_t k = static_cast<std::size_t>(std::bit_width(count) - 1);
  const std::vector<std::int32_t>& level = registry.lowest[k];
  return std::min(level[from], level[from + count - (std::size_t{1} << k)]);
}

}  // namespace

std::int32_t find_player(const PlayerRegistry& registry, std::string& text) {
  trim_name(text);
  return find_player(registry, std::string_view(text));
}

std::int32_t find_player(const PlayerRegistry& registry, std::string_view text) {
  text = trimmed(text);
  if (registry.by_name.size() != registry.player_table.size()) {
    throw std::logic_error("find_player: player names are not indexed");
  }
  if (!registry.by_whole_name.empty()) {
    const std::int32_t lowest =
        registry.by_whole_name[whole_name_slot(registry, text, name_hash(text))].lowest;
    if (lowest >= 0) return lowest;
  }
  return lowest_with_prefix(registry, text);
}

}  // namespace shootout
