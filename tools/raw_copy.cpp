// The raw floor the benchmark measures the tool against, as a program of
// its own started the same way as the tool: reads the five season files in
// the current folder and writes the four kept ones back unchanged, through
// the tool's own reading and its own write-back (new files written and
// synced, the journal, the renames, the folder syncs), with no processing in
// between.

#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driver/run_failure.h"
#include "driver/season_commit.h"
#include "driver/season_file.h"

int main() {
  const char* const files[] = {"players.lgs", "reports.lgs", "boxscores.lgs", "schedule.lgs",
                               "teams.lgs"};
  const char* const kept[] = {"boxscores.lgs", "schedule.lgs", "reports.lgs", "teams.lgs"};
  try {
    std::map<std::string, shootout::FileText> content;
    for (const char* f : files) content[f] = shootout::read_season_file(".", f);
    std::map<std::string, shootout::LineList> lists;
    std::vector<shootout::KeptFile> kept_files;
    for (const char* f : kept) {
      lists[f].load_unsplit(std::move(content[f]));
      kept_files.push_back({f, &lists[f]});
    }
    std::ostringstream console;
    shootout::commit_season(".", kept_files, console);
  } catch (const shootout::RunFailure& failure) {
    std::fputs(shootout::console_text(failure).c_str(), stderr);
    return 1;
  }
  return 0;
}
