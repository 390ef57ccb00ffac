#include "driver/season_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "driver/file_system.h"
#include "driver/run_failure.h"

namespace shootout {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

FileText read_season_file(const std::filesystem::path& folder,
                          const char* name) {
  File file(open_file(folder / name, "rb"));
  if (!file) abort_run(FailureKind::season_file_missing, name);
  // One read of the size the file has; should the file have grown since,
  // the rest is read on and joined to it.
  const long long size = regular_file_size(file.get());
  const std::size_t expected = size > 0 ? static_cast<std::size_t>(size) : 0;
  FileText text(expected);
  const std::size_t got = std::fread(text.data(), 1, expected, file.get());
  std::string rest;
  char buffer[1 << 16];
  std::size_t more = 0;
  while (!std::ferror(file.get()) &&
         (more = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
    rest.append(buffer, more);
  }
  if (std::ferror(file.get())) abort_io(name, "read", errno);
  text.shrink(got);
  if (rest.empty()) return text;
  return FileText::copy_of(std::string(text.view()) + rest);
}

}  // namespace shootout
