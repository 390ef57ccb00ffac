#include "season/player_registry.h"

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
  const std::vector<std::string_view> lines = split_lines(content);
  std::int32_t count = 0;
  std::size_t pos = 0;
  if (lines.empty() || !scan_int(lines[0], pos, count)) {
    abort_invalid(kPlayersFile, 1, "no player count");
  }
  if (count > PlayerRegistry::kCapacity) {
    abort_invalid(kPlayersFile, 1,
                  "player count " + std::to_string(count) + " exceeds " +
                      std::to_string(PlayerRegistry::kCapacity));
  }
  if (count <= 0) return;

  const std::size_t needed = 1 + kBlockLines * static_cast<std::size_t>(count);
  if (lines.size() < needed) {
    const std::size_t player = (lines.size() - 1) / kBlockLines;
    abort_invalid(kPlayersFile, lines.size(),
                  "file ends inside the block of player " +
                      std::to_string(player) + " of " + std::to_string(count));
  }
  registry.player_table.reserve(static_cast<std::size_t>(count));
  for (std::int32_t i = 0; i < count; ++i) {
    const std::size_t first = 1 + kBlockLines * static_cast<std::size_t>(i);
    std::int32_t numbers[3];
    if (scan_ints(lines[first], numbers, 3) != 3) {
      abort_invalid(kPlayersFile, first + 1, "expected three numbers");
    }
    Player player;
    player.index = i;
    player.name = std::string(lines[first + kNameLine]);
    trim_name(player.name);
    player.rating1 = numbers[0];
    player.rating2 = numbers[2];
    registry.player_table.push_back(std::move(player));
  }
}

void trim_name(std::string& text) {
  std::size_t begin = 0;
  while (begin < text.size() && !is_alnum(text[begin])) ++begin;
  std::size_t end = text.size();
  while (end > begin && !is_alnum(text[end - 1])) --end;
  text = text.substr(begin, end - begin);
}

std::int32_t find_player(const PlayerRegistry& registry, std::string& text) {
  trim_name(text);
  for (const Player& player : registry.player_table) {
    if (std::string_view(player.name).starts_with(text)) return player.index;
  }
  return 0;
}

}  // namespace shootout
