// Measures whole runs of the tool on the largest season the format holds,
// against the raw floor: reading the five files and writing the four kept
// ones back unchanged, through the tool's own reading and its own write-back
// (new files written and synced, the journal, the renames, the folder
// syncs), with no processing in between. The floor is a program of its own,
// shootout_raw_copy, linked as the tool is and measured as the tool is, from
// starting its process to its end. Also the same season with a single tied
// game, for the cost of loading and writing back alone.
//
//   shootout_benchmark [--runs N]   (run from the build folder)

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const char* const kFiles[] = {"players.lgs", "reports.lgs", "boxscores.lgs", "schedule.lgs",
                              "teams.lgs"};

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// A copy of the season, already written to disk as a league's files are
// when the tool is run: no writeback of the copy runs during a measurement.
void fresh_copy(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::create_directories(to);
  for (const char* f : kFiles) fs::copy_file(from / f, to / f);
  ::sync();
}

std::uintmax_t season_size(const fs::path& folder) {
  std::uintmax_t total = 0;
  for (const char* f : kFiles) total += fs::file_size(folder / f);
  return total;
}

struct Measured {
  double seconds;
  long peak_kb;
};

// One run of a program in `folder`: wall time and peak resident memory.
Measured run_program(const fs::path& tool, const fs::path& folder) {
  const Clock::time_point start = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(folder.c_str()) != 0) _exit(120);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    execl(tool.c_str(), tool.c_str(), static_cast<char*>(nullptr));
    _exit(121);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double elapsed = seconds_since(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "benchmark: %s failed in %s\n", tool.filename().c_str(),
                 folder.c_str());
    std::exit(1);
  }
  return {elapsed, usage.ru_maxrss};
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 5;
  if (argc == 3 && std::string(argv[1]) == "--runs") runs = std::atoi(argv[2]);
  const fs::path here = fs::canonical("/proc/self/exe").parent_path();
  const fs::path tool = here / "shootout";
  const fs::path generator = here / "league_generator";
  const fs::path raw_copy = here / "shootout_raw_copy";
  const fs::path work = fs::temp_directory_path() / ("shootout-bench-" + std::to_string(getpid()));
  fs::create_directories(work);

  struct Season {
    const char* name;
    const char* options;
    fs::path source;
    std::vector<double> tool_times, floor_times;
    double tool_s = 0, floor_s = 0;
    long peak_kb = 0;
    std::uintmax_t bytes = 0;
  } seasons[] = {{"all 3999 games tied", "--max", {}, {}, {}}, {"a single tied game", "--max --tied-games 1", {}, {}, {}}};

  for (Season& s : seasons) {
    s.source = work / (s.options + 2);
    const std::string command =
        "'" + generator.string() + "' --out '" + s.source.string() + "' " + s.options;
    if (std::system(command.c_str()) != 0) return 1;
    s.bytes = season_size(s.source);
  }
  // The seasons take turns, so that a slow spell of the machine falls on both.
  for (int r = 0; r < runs; ++r) {
    for (Season& s : seasons) {
      fresh_copy(s.source, work / "run");
      const Measured m = run_program(tool, work / "run");
      s.tool_times.push_back(m.seconds);
      s.peak_kb = std::max(s.peak_kb, m.peak_kb);
      fresh_copy(s.source, work / "floor");
      s.floor_times.push_back(run_program(raw_copy, work / "floor").seconds);
    }
  }
  for (Season& s : seasons) {
    s.tool_s = median(s.tool_times);
    s.floor_s = median(s.floor_times);
  }
  fs::remove_all(work);

  std::printf("%-22s %10s %10s %8s %10s %10s %8s\n", "season", "tool ms", "floor ms", "ratio",
              "peak MiB", "files MiB", "ratio");
  for (const Season& s : seasons) {
    const double files_mib = static_cast<double>(s.bytes) / (1 << 20);
    const double peak_mib = static_cast<double>(s.peak_kb) / 1024;
    std::printf("%-22s %10.1f %10.1f %8.2f %10.1f %10.1f %8.2f\n", s.name, s.tool_s * 1e3,
                s.floor_s * 1e3, s.tool_s / s.floor_s, peak_mib, files_mib, peak_mib / files_mib);
  }
  const double growth = seasons[0].tool_s / seasons[1].tool_s;
  std::printf("all tied / single tie: %.2f\n", growth);
  const bool met = seasons[0].tool_s <= 1.5 * seasons[0].floor_s &&
                   seasons[0].peak_kb / 1024.0 <= 2.0 * seasons[0].bytes / (1 << 20) &&
                   growth <= 1.3;
  std::printf("goals (time <= 1.5x floor, peak <= 2x files, growth <= 1.3x): %s\n",
              met ? "met" : "NOT met");
  return 0;
}
