// The indexed look-ups give exactly what the plain scans of the format give:
// the lowest-indexed player whose name begins with a text (also when a roster
// field is looked up as it stands), and the first box score header carrying
// a game number.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "results/boxscore_index.h"
#include "season/player_registry.h"
#include "season/roster_field_index.h"

namespace shootout {
namespace {

// The plain scan: from index 0 upward, the first name that begins with the
// trimmed text.
std::int32_t scan_for_player(const PlayerRegistry& registry, std::string text) {
  trim_name(text);
  for (const Player& p : registry.player_table) {
    if (p.name.starts_with(text)) return p.index;
  }
  return 0;
}

// Texts from few letters, so that names share prefixes, repeat and contain
// one another.
std::string random_text(std::mt19937& random, std::size_t max_length) {
  static const char kBytes[] = {'a', 'b', 'B', ' ', '.', '7', '\xE9', '\0'};
  std::string s(random() % (max_length + 1), ' ');
  for (char& c : s) c = kBytes[random() % sizeof kBytes];
  return s;
}

// An indexed registry of up to 59 players whose names are random texts of
// at most `name_length()` bytes, trimmed.
template <typename NameLength>
PlayerRegistry random_registry(std::mt19937& random, NameLength name_length) {
  PlayerRegistry registry;
  const int count = static_cast<int>(random() % 60);
  for (int i = 0; i < count; ++i) {
    std::string name = random_text(random, name_length());
    trim_name(name);
    registry.player_table.push_back({i, name, 0, 0});
  }
  index_player_names(registry);
  return registry;
}

TEST(LookupEquivalence, IndexedFindPlayerMatchesThePlainScan) {
  std::mt19937 random(7);
  for (int round = 0; round < 200; ++round) {
    const PlayerRegistry registry = random_registry(random, [] { return 6; });
    const int count = registry.player_count();
    for (int q = 0; q < 100; ++q) {
      std::string text = random_text(random, 7);
      if (count > 0 && q % 3 == 0) {  // a prefix of a real name, padded
        const std::string& name = registry.player_table[random() % count].name;
        text = " " + name.substr(0, random() % (name.size() + 1)) + ".\n";
      }
      std::string indexed = text;
      EXPECT_EQ(find_player(registry, indexed), scan_for_player(registry, text))
          << "round " << round << " text '" << text << "'";
    }
  }
}

// A roster line's 23-character name field found through the field index is
// the player the plain scan finds for it; names padded with spaces, the usual
// field, are all found there.
TEST(LookupEquivalence, RosterFieldIndexMatchesThePlainScan) {
  std::mt19937 random(13);
  for (int round = 0; round < 200; ++round) {
    const PlayerRegistry registry =
        random_registry(random, [&random] { return random() % 4 == 0 ? 30 : 6; });
    const int count = registry.player_count();
    const RosterFieldIndex index(registry);
    // Looked up together, as a roster's fields are, in more than one batch.
    std::vector<std::string> fields;
    for (int q = 0; q < 100; ++q) {
      std::string field;
      if (count > 0 && q % 2 == 0) {
        field = registry.player_table[random() % count].name;
        if (q % 4 == 0) field = " " + field;
      } else {
        field = random_text(random, 23);
      }
      field.resize(RosterFieldIndex::kFieldSize, ' ');
      fields.push_back(field);
    }
    std::vector<const char*> texts;
    for (const std::string& field : fields) texts.push_back(field.data());
    std::vector<std::int32_t> answers(fields.size());
    index.find_all(texts.data(), texts.size(), answers.data());
    for (std::size_t q = 0; q < fields.size(); ++q) {
      const std::string& field = fields[q];
      const std::int32_t found = answers[q];
      if (found >= 0) {
        EXPECT_EQ(found, scan_for_player(registry, field)) << "round " << round << " '" << field << "'";
      }
      const std::string name(trimmed(field));
      const bool padded_name = !name.empty() && field.starts_with(name) &&
                               field.find_first_not_of(' ', name.size()) == std::string::npos;
      bool is_player = false;
      for (const Player& p : registry.player_table) is_player = is_player || p.name == name;
      if (padded_name && is_player) {
        EXPECT_GE(found, 0) << "round " << round << " '" << field << "'";
      }
    }
  }
}

// The plain walk: the first line from the top that is the game's header.
LineNode* walk_for_header(const LineList& list, std::int32_t game) {
  for (LineNode* n = list.head(); n != nullptr; n = n->next) {
    if (is_boxscore_header(n->text, game)) return n;
  }
  return nullptr;
}

TEST(LookupEquivalence, BoxscoreIndexMatchesTheWalkAfterInsertions) {
  std::mt19937 random(11);
  const char* const kShapes[] = {"#%d\n", "# %d at home\n", "##%d\n", "#%dabc\n", "-%d\n",
                                 "#-%d\n", "%d\n", "#\n"};
  for (int round = 0; round < 50; ++round) {
    std::string file;
    for (int line = 0; line < 300; ++line) {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, kShapes[random() % 8],
                    static_cast<int>(random() % 40));
      file += buffer;
    }
    LineList list;
    load_line_list(file, list);
    BoxscoreIndex index;
    for (int step = 0; step < 60; ++step) {
      const std::int32_t game = 1 + static_cast<std::int32_t>(random() % 44);  // game numbers start at 1
      ASSERT_EQ(index.header(list, game), walk_for_header(list, game)) << "game " << game;
      // Sections go in after arbitrary lines, as settling games does.
      LineNode* at = list.head();
      for (int skip = static_cast<int>(random() % 300); skip > 0 && at->next; --skip) {
        at = at->next;
      }
      insert_line_after(list, at, "Shootout\n");
      insert_line_after(list, at, "--------\n");
    }
  }
}

}  // namespace
}  // namespace shootout
