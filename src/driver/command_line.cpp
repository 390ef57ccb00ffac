#include "driver/command_line.h"

#include <string_view>

#ifndef SHOOTOUT_VERSION
#define SHOOTOUT_VERSION "unknown"
#endif

namespace shootout {

Request read_command_line(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return Request::help;
    if (arg == "--version") return Request::version;
  }
  return Request::run;
}

std::string usage_text() {
  return "usage: shootout [--help | --version]\n"
         "\n"
         "Run in a league's folder, settles every game that schedule.lgs and\n"
         "reports.lgs both record as tied by a simulated shootout, and rewrites\n"
         "the season: the score lines of schedule.lgs and reports.lgs, a\n"
         "shootout section in boxscores.lgs, the standings lines in teams.lgs\n"
         "(games outside May to September), and one block per game appended\n"
         "to shootout.html. players.lgs is only read. A run that fails changes\n"
         "no season file and exits with status 255.\n";
}

std::string version_text() { return "shootout " SHOOTOUT_VERSION "\n"; }

}  // namespace shootout
