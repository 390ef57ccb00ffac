#pragma once

#include <cstdio>
#include <filesystem>
#include <span>
#include <string_view>

namespace shootout {

// The few file operations that durable write-back needs beyond standard
// streams. Each returns 0 on success or the system's error number.

// Opens a file with a standard I/O mode ("rb", "ab", ...).
std::FILE* open_file(const std::filesystem::path& path, const char* mode);

// The size of an open regular file, or -1 when it has none.
long long regular_file_size(std::FILE* file);

// Removes a file; a file that does not exist counts as removed.
int remove_file(const std::filesystem::path& path);

// Renames `from` over `to` in one step: `to` is then wholly the old or
// wholly the new file.
int replace_file(const std::filesystem::path& from,
                 const std::filesystem::path& to);

// Makes the folder's entries (created, renamed, removed files) durable.
// (Where the system has no such call, the renames themselves are made
// durable instead.)
int sync_folder(const std::filesystem::path& folder);

// Takes an exclusive lock on the open file, waiting while another process
// holds it. The lock ends when the file is closed or the process ends.
int lock_exclusive(std::FILE* file);

// A file created exclusively, written and then synced to disk. The file is
// removed by the destructor unless finish() has succeeded.
class NewFile {
 public:
  // Creates `path` with the permission bits of `like` (or the default ones
  // when `like` does not exist); error() tells whether that worked.
  NewFile(std::filesystem::path path, const std::filesystem::path& like);
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // Appends the pieces in order, many per system call; false (with error()
  // set) once anything failed.
  bool write(std::span<const std::string_view> pieces);
  bool write(std::string_view bytes) { return write({&bytes, 1}); }
  // Syncs and closes; false (with error() set) on any failure.
  bool finish();
  // Keeps the file on disk whatever happens afterwards.
  void keep() { keep_ = true; }

  int error() const { return error_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
  int error_ = 0;
  bool created_ = false;
  bool keep_ = false;
};

}  // namespace shootout
