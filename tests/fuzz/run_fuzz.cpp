// A whole run on a folder built from the input: the five season files are
// the input's parts between lines of "@@@@". Whatever the files hold, the run
// completes or fails cleanly, and a failed run changes no season file.

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "driver/run.h"
#include "fuzz_check.h"

namespace {

class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
};

const char* const kFiles[] = {"players.lgs", "reports.lgs", "boxscores.lgs", "schedule.lgs",
                              "teams.lgs"};

std::string read(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

// The folder the runs work in, removed when the process ends.
class RunFolder {
 public:
  RunFolder()
      : path_(std::filesystem::temp_directory_path() /
              ("shootout-fuzz-" + std::to_string(::getpid()))) {}
  ~RunFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

const std::filesystem::path& folder() {
  static const RunFolder run_folder;
  return run_folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::filesystem::remove_all(folder());
  std::filesystem::create_directories(folder());
  std::string before[5];
  for (int i = 0; i < 5; ++i) {
    const std::size_t cut = rest.find("@@@@\n");
    before[i] = std::string(rest.substr(0, cut));
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 5);
    std::ofstream(folder() / kFiles[i], std::ios::binary) << before[i];
  }
  static NullBuffer null_buffer;
  static std::ostream console(&null_buffer);
  shootout::SeededRandomSource random(1);
  shootout::RunState run(folder(), console, random);
  const int status = shootout::run_shootout(run);
  FUZZ_CHECK(status == 0 || status == 255);
  if (status == 255) {
    for (int i = 0; i < 5; ++i) FUZZ_CHECK(read(folder() / kFiles[i]) == before[i]);
  }
  return 0;
}
