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

void save_line_list(const std::filesystem::path& folder, const char* name,
                    const LineList& list) {
  std::FILE* file = std::fopen((folder / name).c_str(), "wb");
  if (file == nullptr) io_failure(name, "open for writing", errno);
  bool ok = true;
  for (const LineNode* n = list.head(); n != nullptr && ok; n = n->next) {
    ok = std::fwrite(n->text.data(), 1, n->text.size(), file) == n->text.size();
  }
  int error = ok ? 0 : errno;
  if (std::fflush(file) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (std::fclose(file) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (!ok) io_failure(name, "write", error);
}

}  // namespace shootout
