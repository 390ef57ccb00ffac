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

// The rest of the file, from where it stands.
std::string read_rest(std::FILE* file, const char* name) {
  std::string rest;
  char buffer[1 << 16];
  std::size_t more = 0;
  while (!std::ferror(file) && (more = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    rest.append(buffer, more);
  }
  if (std::ferror(file)) abort_io(name, "read", errno);
  return rest;
}

FileText joined(std::string_view text, const std::string& rest) {
  if (rest.empty()) return FileText::copy_of(text);
  return FileText::copy_of(std::string(text) + rest);
}

}  // namespace

FileText read_season_file(const std::filesystem::path& folder,
                          const char* name) {
  File file(open_file(folder / name, "rb"));
  if (!file) abort_run(FailureKind::season_file_missing, name);
  const long long size = regular_file_size(file.get());
  const std::size_t expected = size > 0 ? static_cast<std::size_t>(size) : 0;
  // Mapped where the system can: the tool only reads the loaded text, and
  // the pages of a file just written or read are already in memory. A file
  // that grew since is read on and joined; one that shrank is read instead.
  LargeBlock mapped = LargeBlock::map_file(fileno(file.get()), expected);
  if (mapped.data() != nullptr && regular_file_size(file.get()) >= size &&
      std::fseek(file.get(), static_cast<long>(expected), SEEK_SET) == 0) {
    const std::string rest = read_rest(file.get(), name);
    FileText text(std::move(mapped), expected);
    if (rest.empty()) return text;
    return joined(text.view(), rest);
  }
  // One read of the size the file has; should the file have grown since,
  // the rest is read on and joined to it.
  FileText text(expected);
  const std::size_t got = std::fread(text.data(), 1, expected, file.get());
  const std::string rest = read_rest(file.get(), name);
  text.shrink(got);
  if (rest.empty()) return text;
  return joined(text.view(), rest);
}

}  // namespace shootout
