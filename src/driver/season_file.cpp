#include "driver/season_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "driver/run_failure.h"

namespace shootout {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void io_failure(const char* name, const char* what, int error) {
  abort_run(FailureKind::season_file_io_error,
            std::string(name) + ": " + what + " failed: " + std::strerror(error));
}

}  // namespace

std::string read_season_file(const std::filesystem::path& folder,
                             const char* name) {
  File file(std::fopen((folder / name).c_str(), "rb"));
  if (!file) abort_run(FailureKind::season_file_missing, name);
  std::string content;
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    content.append(buffer, got);
  }
  if (std::ferror(file.get())) io_failure(name, "read", errno);
  return content;
}

}  // namespace shootout
