// Runs the built executable on generated leagues and checks every byte it
// leaves behind against an independent statement of what a settled game
// changes: the log is parsed for each game's result, and the expected season
// files are built from the originals and those results.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace shootout {
namespace {

struct Ran {
  int status;
  std::string out, err;
};

// The command that runs the tool: the built executable, unless
// SHOOTOUT_TOOL_COMMAND names another (such as a Windows build under wine).
std::string tool_command() {
  const char* other = std::getenv("SHOOTOUT_TOOL_COMMAND");
  return other != nullptr ? other : "'" SHOOTOUT_EXE "'";
}

Ran run_tool(const TempFolder& league, const TempFolder& scratch, const std::string& seed,
             const std::string& args = "") {
  const std::string command = "cd '" + league.path().string() + "' && SHOOTOUT_SEED=" + seed +
                              " " + tool_command() + " " + args + " > '" +
                              (scratch.path() / "out").string() + "' 2> '" +
                              (scratch.path() / "err").string() + "'";
  const int raw = std::system(command.c_str());
  return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, scratch.read("out"), scratch.read("err")};
}

void generate(const TempFolder& folder, const std::string& options) {
  const std::string command =
      "'" LEAGUE_GENERATOR_EXE "' --out '" + folder.path().string() + "' " + options;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, end - start));
    start = end;
  }
  return lines;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l;
  return s;
}

std::string ending(const std::string& line) {
  return line.ends_with("\r\n") ? "\r\n" : line.ends_with("\n") ? "\n" : "";
}

std::string body(const std::string& line) { return line.substr(0, line.size() - ending(line).size()); }

std::vector<long> numbers(const std::string& line) {
  std::vector<long> out;
  std::size_t pos = 0;
  while (pos < line.size()) {
    std::size_t used = 0;
    try {
      out.push_back(std::stol(line.substr(pos), &used));
    } catch (...) {
      break;
    }
    pos += used;
  }
  return out;
}

struct Block {
  int month, day, year;
  std::string report_line, win_line, first_log, second_log;
};

std::vector<Block> parse_log(const std::string& html) {
  static const std::regex block(
      "<h2>(\\d+)-(\\d+)-(\\d+) ([^\\n]*)\\n</h2>\\n<h4>([^\\n]*)\\n</h4>\\n"
      "<h4>([^\\n]*)\\n</h4>\\n<h4>([^\\n]*)\\n</h4><hr>\\n\\n");
  std::vector<Block> blocks;
  std::size_t consumed = 0;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), block); it != std::sregex_iterator();
       ++it) {
    const std::smatch& m = *it;
    EXPECT_EQ(static_cast<std::size_t>(m.position(0)), consumed) << "text between log blocks";
    consumed = static_cast<std::size_t>(m.position(0) + m.length(0));
    blocks.push_back({std::stoi(m[1]), std::stoi(m[2]), std::stoi(m[3]), m[4], m[5], m[6], m[7]});
  }
  EXPECT_EQ(consumed, html.size()) << "log does not end with a whole block";
  return blocks;
}

int goals_in(const std::string& log) {
  int n = 0;
  for (std::size_t at = log.find(", goal;"); at != std::string::npos; at = log.find(", goal;", at + 1)) ++n;
  return n;
}

std::size_t header_line(const std::vector<std::string>& lines, int game) {
  const std::string header = "#" + std::to_string(game);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (body(lines[i]) == header) return i;
  }
  ADD_FAILURE() << "no header " << header;
  return 0;
}

// Moves a record line's tie to the given column (1-based).
void book(std::string& line, std::size_t gains, std::size_t ties) {
  std::vector<long> n = numbers(line);
  n[gains - 1] += 1;
  n[ties - 1] -= 1;
  std::string s;
  for (std::size_t i = 0; i < n.size(); ++i) s += (i ? "  " : " ") + std::to_string(n[i]);
  line = s + ending(line);
}

struct Season {
  std::vector<std::string> reports, boxscores, schedule, teams;
  std::string console_games;  // the two console lines of each settled game
};

// The season as it must be after settling the tied games with the results
// the log records.
Season expected_season(const std::map<std::string, std::string>& original,
                       const std::vector<Block>& blocks) {
  Season s{lines_of(original.at("reports.lgs")), lines_of(original.at("boxscores.lgs")),
           lines_of(original.at("schedule.lgs")), lines_of(original.at("teams.lgs")), ""};
  std::size_t next_block = 0;
  for (std::size_t k = 0; k + 1 < s.schedule.size(); k += 2) {
    const int game = static_cast<int>(k / 2 + 1);
    const std::vector<long> date = numbers(s.schedule[k]);
    const std::vector<long> score = numbers(s.schedule[k + 1]);
    if (score[0] != score[1]) continue;
    if (next_block >= blocks.size()) {
      ADD_FAILURE() << "no log block for game " << game;
      break;
    }
    const Block& b = blocks[next_block++];
    EXPECT_EQ(std::vector<long>({b.day, b.month, b.year}),
              std::vector<long>(date.begin(), date.begin() + 3));

    // Names come from the report's score line, scores from the schedule.
    const std::size_t header = header_line(s.reports, game);
    const std::string old_report = body(s.reports[header + 1]);
    const std::string first_name = old_report.substr(0, old_report.find_first_of("0123456789") - 1);
    const std::size_t comma = old_report.find(" , ");
    const std::string second_name =
        old_report.substr(comma + 3, old_report.find_last_of(' ') - comma - 3);
    const long s0 = score[0];
    const bool first_won = b.report_line == first_name + " " + std::to_string(s0 + 1) + " , " +
                                                second_name + " " + std::to_string(s0) + " (SO)";
    EXPECT_TRUE(first_won || b.report_line == first_name + " " + std::to_string(s0) + " , " +
                                                  second_name + " " + std::to_string(s0 + 1) + " (SO)")
        << b.report_line;
    const int a = goals_in(b.first_log), c = goals_in(b.second_log);
    EXPECT_EQ(b.win_line, (first_won ? first_name : second_name) + " win " +
                              std::to_string(std::max(a, c)) + "-" + std::to_string(std::min(a, c)));
    EXPECT_EQ(first_won, a > c);
    EXPECT_TRUE(b.first_log.starts_with(first_name + " -  ")) << b.first_log;
    EXPECT_TRUE(b.second_log.starts_with(second_name + " -  ")) << b.second_log;

    const std::string pair = first_name + " and " + second_name + "\n";
    s.console_games += "Found tie game between " + pair + "Successful shootout between " + pair;

    s.reports[header + 1] = b.report_line + ending(s.reports[header + 1]);
    s.schedule[k + 1] = " " + std::to_string(first_won ? s0 + 1 : s0) + "  " +
                        std::to_string(first_won ? s0 : s0 + 1) + " " + ending(s.schedule[k + 1]);

    std::size_t at = header_line(s.boxscores, game);
    for (int dashes = 0; dashes < 7;) dashes += s.boxscores[++at][0] == '-';
    do ++at; while (std::isdigit(static_cast<unsigned char>(s.boxscores[at][0])));
    const std::string end = ending(s.boxscores[at]);
    const std::vector<std::string> section = {"Shootout" + end, "--------" + end, b.win_line + end,
                                              b.first_log + end, b.second_log + end};
    s.boxscores.insert(s.boxscores.begin() + static_cast<long>(at) + 1, section.begin(), section.end());

    if (date[1] < 5 || date[1] > 9) {
      const std::size_t first = 125 * static_cast<std::size_t>(date[3] - 1);
      const std::size_t second = 125 * static_cast<std::size_t>(date[4] - 1);
      book(s.teams[first], first_won ? 1 : 4, 3);
      book(s.teams[first + 4], first_won ? 2 : 4, 5);
      book(s.teams[second + 1], first_won ? 4 : 1, 3);
      book(s.teams[second + 4], first_won ? 4 : 2, 5);
    }
  }
  EXPECT_EQ(next_block, blocks.size()) << "more log blocks than tied games";
  return s;
}

struct LeagueCase {
  const char* name;
  const char* options;
  const char* seed;
};
void PrintTo(const LeagueCase& c, std::ostream* os) { *os << c.name; }


class EndToEnd : public ::testing::TestWithParam<LeagueCase> {};

TEST_P(EndToEnd, SettlesTiesExactlyAndASecondRunFindsNone) {
  TempFolder league, scratch;
  generate(league, GetParam().options);
  const auto original = league.snapshot();

  const Ran first = run_tool(league, scratch, GetParam().seed);
  EXPECT_EQ(first.status, 0);
  EXPECT_EQ(first.err, "");
  const std::vector<Block> blocks = parse_log(league.read("shootout.html"));
  ASSERT_GT(blocks.size(), 2u);

  std::string console =
      "Opening players.lgs\nOpening reports.lgs\nOpening boxscores.lgs\nOpening schedule.lgs\n"
      "Opening teams.lgs\n";
  const Season expected = expected_season(original, blocks);
  EXPECT_EQ(league.read("schedule.lgs"), joined(expected.schedule));
  EXPECT_EQ(league.read("reports.lgs"), joined(expected.reports));
  EXPECT_EQ(league.read("boxscores.lgs"), joined(expected.boxscores));
  EXPECT_EQ(league.read("teams.lgs"), joined(expected.teams));
  EXPECT_EQ(league.read("players.lgs"), original.at("players.lgs"));
  EXPECT_EQ(first.out, console + expected.console_games +
                           "Updating boxscores.lgs\nUpdating schedule.lgs\nUpdating reports.lgs\n"
                           "Updating teams.lgs\nFreeing memory\nDone!\n");

  const auto settled = league.snapshot();
  const Ran second = run_tool(league, scratch, "99");
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.out, console + "No tie games found.\nFreeing memory\nDone!\n");
  EXPECT_EQ(league.snapshot(), settled);
}

INSTANTIATE_TEST_SUITE_P(
    Leagues, EndToEnd,
    ::testing::Values(
        LeagueCase{"Small", "--seed 3 --players 80 --teams 4 --games 30 --tie-share 0.4", "1"},
        LeagueCase{"Crlf", "--seed 4 --players 120 --teams 8 --games 60 --tie-share 0.3 --crlf", "2"},
        LeagueCase{"AllTied", "--seed 5 --players 300 --teams 30 --games 200 --tie-share 1", "3"}),
    [](const auto& info) { return info.param.name; });

TEST(EndToEndFailure, MissingTeamsFileExitsWith255AndChangesNothing) {
  TempFolder league, scratch;
  generate(league, "--seed 6 --games 10 --tie-share 1");
  std::filesystem::remove(league.path() / "teams.lgs");
  const auto before = league.snapshot();
  const Ran ran = run_tool(league, scratch, "1");
  EXPECT_EQ(ran.status, 255);
  EXPECT_EQ(ran.err, "");
  EXPECT_EQ(ran.out,
            "Opening players.lgs\nOpening reports.lgs\nOpening boxscores.lgs\nOpening schedule.lgs\n"
            "Opening teams.lgs\n");
  auto after = league.snapshot();
  EXPECT_EQ(after["shootout.html"], "teams.lgs file not found.\n");
  after.erase("shootout.html");
  EXPECT_EQ(after, before);
}

TEST(EndToEndCommandLine, HelpAndVersionTouchNoFile) {
  TempFolder league, scratch;
  generate(league, "--seed 8 --games 10 --tie-share 1");
  const auto before = league.snapshot();
  for (const char* args : {"--help", "-h", "extra --help", "--version"}) {
    const Ran ran = run_tool(league, scratch, "1", args);
    EXPECT_EQ(ran.status, 0) << args;
    EXPECT_EQ(ran.err, "") << args;
    const std::string expected = std::string(args) == "--version" ? "shootout " : "usage: shootout";
    EXPECT_TRUE(ran.out.starts_with(expected)) << args << ": " << ran.out;
    EXPECT_EQ(league.snapshot(), before) << args;  // no shootout.html either
  }
  // Any other argument is ignored: the run settles the season.
  const Ran ran = run_tool(league, scratch, "1", "--dry-run");
  EXPECT_EQ(ran.status, 0);
  EXPECT_TRUE(ran.out.ends_with("Updating teams.lgs\nFreeing memory\nDone!\n")) << ran.out;
}

}  // namespace
}  // namespace shootout
