// Writes a consistent season of the five league files into a folder, the
// same bytes for the same options. Used by the tests, the benchmarks and the
// bundled example league.
//
//   league_generator --out DIR [--seed N] [--players N] [--teams N]
//                    [--games N] [--tie-share F] [--tied-games N] [--max]
//                    [--crlf]
//
// --max is the largest season the format holds: 4000 players, 30 teams and
// 3999 games, every one tied. --tied-games N keeps only the first N tied
// games tied (the season is otherwise the same), and --crlf writes Windows
// line ends. Lines are as wide as a real season's, with columns of numbers.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

struct Options {
  std::filesystem::path out;
  std::uint64_t seed = 1;
  int players = 200;
  int teams = 6;
  int games = 40;
  double tie_share = 0.25;
  int tied_games = -1;  // -1: as many as the share gives
  bool crlf = false;
};

class Draws {
 public:
  explicit Draws(std::uint64_t seed) : engine_(seed) {}
  // Uniform in 0 .. n-1.
  int below(int n) { return static_cast<int>(engine_() % static_cast<std::uint64_t>(n)); }
  int between(int lo, int hi) { return lo + below(hi - lo + 1); }
  bool chance(double p) { return static_cast<double>(engine_() % 1000000) < p * 1e6; }

 private:
  std::mt19937_64 engine_;
};

const char* const kTeamNames[30] = {
    "Riverton",    "Lakeside",     "Port Ashby",  "Granite Falls", "Westmoor",
    "Cold Harbor", "Elm Valley",   "Northgate",   "Stonebridge",   "Fairhaven",
    "Red Hollow",  "Kingsford",    "Marlow Bay",  "Pine Ridge",    "Oakmont",
    "Silver Lake", "Brookfield",   "Dunmore",     "Ironwood",      "Hollis",
    "Bayview",     "Thornbury",    "Eastwick",    "Clearwater",    "Ashgrove",
    "Wolf Creek",  "Highcliff",    "Saltmarsh",   "Foxborough",    "Linden"};

const char* const kSyllables[] = {"al", "bo", "ca", "dre", "el", "fin", "ga",
                                  "hal", "is", "jo", "ka", "lo", "mar", "ne",
                                  "or", "pa", "ri", "sto", "tu", "va", "wen",
                                  "ya", "zel", "bri", "cor", "dan"};

std::string capitalised(std::string s) {
  s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

std::string word(Draws& d, int syllables) {
  std::string w;
  for (int i = 0; i < syllables; ++i) w += kSyllables[d.below(std::size(kSyllables))];
  return capitalised(w);
}

// Names of at most 23 characters (the report's name field), none of which
// begins with another, so every roster line finds its own player.
std::vector<std::string> player_names(Draws& d, int count) {
  std::set<std::string> taken;
  std::vector<std::string> names;
  while (static_cast<int>(names.size()) < count) {
    std::string name = word(d, d.between(1, 2)) + " " + word(d, d.between(2, 3));
    if (name.size() > 23) continue;
    bool clash = false;
    for (std::size_t n = 1; n <= name.size() && !clash; ++n) {
      clash = taken.count(name.substr(0, n)) > 0;
    }
    auto next = taken.lower_bound(name);
    if (next != taken.end() && next->starts_with(name)) clash = true;
    if (clash) continue;
    taken.insert(name);
    names.push_back(name);
  }
  return names;
}

struct Game {
  int day, month, year, first, second, first_score, second_score;
  std::vector<int> roster;  // 40 players: 18 skaters, 2 goalies, per team
};

std::string padded(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

void write_file(const Options& o, const char* name, std::string text) {
  if (o.crlf) {
    std::string converted;
    for (char c : text) {
      if (c == '\n') converted += '\r';
      converted += c;
    }
    text = std::move(converted);
  }
  std::ofstream out(o.out / name, std::ios::binary);
  out << text;
  if (!out.flush()) {
    std::cerr << "league_generator: cannot write " << (o.out / name) << "\n";
    std::exit(1);
  }
}

std::string players_file(Draws& d, const std::vector<std::string>& names) {
  std::string s = std::to_string(names.size()) + "\n";
  for (const std::string& name : names) {
    s += std::to_string(d.between(40, 99)) + " " + std::to_string(d.between(20, 40)) +
         " " + std::to_string(d.between(40, 99)) + "\n";
    for (int line = 2; line <= 13; ++line) s += "  0  12  45  3  0  7  22  1  0  0  3\n";
    s += " " + name + "\n";
    for (int line = 15; line <= 20; ++line) s += "  1  0  0  2  5\n";
  }
  return s;
}

void roster_lines(std::string& s, const std::vector<std::string>& names,
                  const std::vector<int>& roster, int from, int count) {
  for (int i = from; i < from + count; ++i) {
    s += "  " + padded(names[static_cast<std::size_t>(roster[static_cast<std::size_t>(i)])], 23) +
         "  C   1   0   1   +1   2   3  14:25   0   1   4\n";
  }
}

std::string reports_file(const std::vector<Game>& games,
                         const std::vector<std::string>& names) {
  std::string s;
  for (std::size_t g = 0; g < games.size(); ++g) {
    const Game& game = games[g];
    s.append("#").append(std::to_string(g + 1)).append("\n");
    s += std::string(kTeamNames[game.first - 1]) + " " + std::to_string(game.first_score) +
         " , " + kTeamNames[game.second - 1] + " " + std::to_string(game.second_score) + "\n";
    s += "## game report\n";
    for (int i = 1; i <= 8; ++i) {
      s += "Period " + std::to_string(i) + " notes: shots 12-9, power plays 1/3, faceoffs 11-8\n";
    }
    roster_lines(s, names, game.roster, 0, 18);
    s += "Goalies\n";
    roster_lines(s, names, game.roster, 18, 2);
    s += "\nSecond team\n-----\n";
    roster_lines(s, names, game.roster, 20, 18);
    s += "Goalies\n";
    roster_lines(s, names, game.roster, 38, 2);
    s += "End of report\n";
  }
  return s;
}

std::string boxscores_file(Draws& d, const std::vector<Game>& games) {
  std::string s;
  for (std::size_t g = 0; g < games.size(); ++g) {
    const Game& game = games[g];
    s.append("#").append(std::to_string(g + 1)).append("\n");
    s += std::string(kTeamNames[game.second - 1]) + " at " + kTeamNames[game.first - 1] + "\n";
    for (int dash = 1; dash <= 7; ++dash) {
      s += "Section " + std::to_string(dash) + ": 05:12 goal, 11:40 penalty, 17:03 goal (PP)\n";
      s += "------------------------------------------------\n";
    }
    for (int i = d.between(0, 3); i > 0; --i) {
      s += std::to_string(i) + " star of the game: 2 goals, 1 assist, 5 shots, +2\n";
    }
    s += "Three stars announced; attendance 14,512; officials on the ice\n";
    s += "\n";
  }
  return s;
}

std::string schedule_file(const std::vector<Game>& games) {
  std::string s;
  for (const Game& g : games) {
    s += std::to_string(g.day) + " " + std::to_string(g.month) + " " + std::to_string(g.year) +
         " " + std::to_string(g.first) + " " + std::to_string(g.second) + "\n";
    s += std::to_string(g.first_score) + " " + std::to_string(g.second_score) + "\n";
  }
  return s;
}

std::string record_line(const std::vector<int>& numbers) {
  std::string s;
  for (int n : numbers) s.append(" ").append(std::to_string(n)).append(" ");
  return s + "\n";
}

std::string teams_file(Draws& d, const Options& o, const std::vector<Game>& games) {
  // Ties that the settled games will take off each team's lines.
  std::vector<int> line1_ties(31), line2_ties(31), line5_ties(31);
  for (const Game& g : games) {
    if (g.first_score != g.second_score || (g.month >= 5 && g.month <= 9)) continue;
    ++line1_ties[g.first];
    ++line2_ties[g.second];
    ++line5_ties[g.first];
    ++line5_ties[g.second];
  }
  std::string s;
  for (int t = 1; t <= o.teams; ++t) {
    auto n = [&d](int hi) { return d.between(0, hi); };
    s += record_line({n(40), n(40), line1_ties[t] + n(3), n(10)});
    s += record_line({n(40), n(40), line2_ties[t] + n(3), n(10)});
    s += std::string(kTeamNames[t - 1]) + "\n";
    s += "Coach\n";
    s += record_line({n(80), n(80), n(80), n(20), line5_ties[t] + n(3), n(300), n(300),
                      n(99), n(99)});
    for (int line = 6; line <= 125; ++line) s += "  0  0  0  12  4  0  33  1  0  2\n";
  }
  return s;
}

[[noreturn]] void usage(const std::string& problem) {
  std::cerr << "league_generator: " << problem << "\n"
            << "usage: league_generator --out DIR [--seed N] [--players N] [--teams N]"
               " [--games N] [--tie-share F] [--tied-games N] [--max] [--crlf]\n";
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage(arg + " needs a value");
      return argv[++i];
    };
    if (arg == "--out") o.out = value();
    else if (arg == "--seed") o.seed = std::stoull(value());
    else if (arg == "--players") o.players = std::stoi(value());
    else if (arg == "--teams") o.teams = std::stoi(value());
    else if (arg == "--games") o.games = std::stoi(value());
    else if (arg == "--tie-share") o.tie_share = std::stod(value());
    else if (arg == "--tied-games") o.tied_games = std::stoi(value());
    else if (arg == "--crlf") o.crlf = true;
    else if (arg == "--max") { o.players = 4000; o.teams = 30; o.games = 3999; o.tie_share = 1; }
    else usage("unknown option " + arg);
  }
  if (o.out.empty()) usage("--out is required");
  if (o.players < 40 || o.players > 4000) usage("--players must be 40 to 4000");
  if (o.teams < 2 || o.teams > 30) usage("--teams must be 2 to 30");
  if (o.games < 0 || o.games > 3999) usage("--games must be 0 to 3999");
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse(argc, argv);
  Draws d(o.seed);
  const std::vector<std::string> names = player_names(d, o.players);

  std::vector<int> everyone(static_cast<std::size_t>(o.players));
  for (int i = 0; i < o.players; ++i) everyone[static_cast<std::size_t>(i)] = i;
  std::vector<Game> games;
  for (int g = 0; g < o.games; ++g) {
    Game game{};
    game.month = 1 + g * 12 / std::max(o.games, 1);
    game.day = d.between(1, 28);
    game.year = 2026;
    game.first = d.between(1, o.teams);
    do game.second = d.between(1, o.teams); while (game.second == game.first);
    game.first_score = d.between(0, 6);
    if (d.chance(o.tie_share)) {
      game.second_score = game.first_score;
    } else {
      do game.second_score = d.between(0, 6); while (game.second_score == game.first_score);
    }
    for (int i = 0; i < 40; ++i) {  // partial shuffle: 40 distinct players
      std::swap(everyone[static_cast<std::size_t>(i)],
                everyone[static_cast<std::size_t>(d.between(i, o.players - 1))]);
      game.roster.push_back(everyone[static_cast<std::size_t>(i)]);
    }
    games.push_back(std::move(game));
  }

  if (o.tied_games >= 0) {  // untie all but the first N, drawing nothing more
    int kept = 0;
    for (Game& g : games) {
      if (g.first_score == g.second_score && ++kept > o.tied_games) g.second_score += 1;
    }
  }

  std::filesystem::create_directories(o.out);
  write_file(o, "players.lgs", players_file(d, names));
  write_file(o, "reports.lgs", reports_file(games, names));
  write_file(o, "boxscores.lgs", boxscores_file(d, games));
  write_file(o, "schedule.lgs", schedule_file(games));
  write_file(o, "teams.lgs", teams_file(d, o, games));
  return 0;
}
