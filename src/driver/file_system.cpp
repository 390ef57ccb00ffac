#include "driver/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#if defined(_WIN32)
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/uio.h>
#include <unistd.h>
#endif

namespace shootout {

#if defined(_WIN32)

namespace {
int error_of_last_call() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}
}  // namespace

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return ::_wfopen(path.c_str(), wide_mode.c_str());
}

long long regular_file_size(std::FILE* file) {
  struct _stat64 info;
  if (::_fstat64(::_fileno(file), &info) != 0 || (info.st_mode & _S_IFREG) == 0) return -1;
  return info.st_size;
}

int remove_file(const std::filesystem::path& path) {
  if (::_wunlink(path.c_str()) == 0 || errno == ENOENT) return 0;
  return errno;
}

int replace_file(const std::filesystem::path& from,
                 const std::filesystem::path& to) {
  // Write-through: the rename is on disk when the call returns.
  if (MoveFileExW(from.c_str(), to.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return 0;
  }
  return error_of_last_call();
}

int sync_folder(const std::filesystem::path&) { return 0; }

int lock_exclusive(std::FILE* file) {
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  OVERLAPPED whole{};
  if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) return 0;
  return error_of_last_call();
}

NewFile::NewFile(std::filesystem::path path, const std::filesystem::path& like)
    : path_(std::move(path)) {
  struct _stat64 original;
  const int mode = ::_wstat64(like.c_str(), &original) == 0
                       ? original.st_mode & (_S_IREAD | _S_IWRITE)
                       : _S_IREAD | _S_IWRITE;
  fd_ = ::_wopen(path_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                 mode);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  created_ = true;
}

NewFile::~NewFile() {
  if (fd_ >= 0) ::_close(fd_);
  if (created_ && !keep_) ::_wunlink(path_.c_str());
}

bool NewFile::write(std::span<const std::string_view> pieces) {
  if (error_ != 0 || fd_ < 0) return false;
  for (std::string_view piece : pieces) {
    while (!piece.empty()) {
      const unsigned chunk = static_cast<unsigned>(std::min<std::size_t>(piece.size(), 1u << 30));
      const int done = ::_write(fd_, piece.data(), chunk);
      if (done < 0) {
        error_ = errno;
        return false;
      }
      piece.remove_prefix(static_cast<std::size_t>(done));
    }
  }
  return true;
}

bool NewFile::finish() {
  if (error_ != 0 || fd_ < 0) return false;
  if (::_commit(fd_) != 0) error_ = errno;
  if (::_close(fd_) != 0 && error_ == 0) error_ = errno;
  fd_ = -1;
  return error_ == 0;
}

#else

std::FILE* open_file(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

long long regular_file_size(std::FILE* file) {
  struct stat info;
  if (::fstat(::fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
  return info.st_size;
}

int remove_file(const std::filesystem::path& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return 0;
  return errno;
}

int replace_file(const std::filesystem::path& from,
                 const std::filesystem::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int sync_folder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  return error;
}

int lock_exclusive(std::FILE* file) {
  while (::flock(::fileno(file), LOCK_EX) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

NewFile::NewFile(std::filesystem::path path, const std::filesystem::path& like)
    : path_(std::move(path)) {
  struct stat original;
  const mode_t mode =
      ::stat(like.c_str(), &original) == 0 ? original.st_mode & 07777 : 0666;
  fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  created_ = true;
  // The process's mask must not narrow the original's bits.
  if (::fchmod(fd_, mode) != 0) error_ = errno;
}

NewFile::~NewFile() {
  if (fd_ >= 0) ::close(fd_);
  if (created_ && !keep_) ::unlink(path_.c_str());
}

bool NewFile::write(std::span<const std::string_view> pieces) {
  if (error_ != 0 || fd_ < 0) return false;
  std::vector<iovec> batch;
  batch.reserve(std::min<std::size_t>(pieces.size(), IOV_MAX));
  std::size_t next = 0;
  while (next < pieces.size() || !batch.empty()) {
    while (batch.size() < IOV_MAX && next < pieces.size()) {
      const std::string_view piece = pieces[next++];
      if (!piece.empty()) {
        batch.push_back({const_cast<char*>(piece.data()), piece.size()});
      }
    }
    if (batch.empty()) break;
    const ssize_t done = ::writev(fd_, batch.data(), static_cast<int>(batch.size()));
    if (done < 0) {
      if (errno == EINTR) continue;
      error_ = errno;
      return false;
    }
    // Drop what was written, keeping the rest of a piece written in part.
    std::size_t left = static_cast<std::size_t>(done), whole = 0;
    while (whole < batch.size() && batch[whole].iov_len <= left) {
      left -= batch[whole++].iov_len;
    }
    batch.erase(batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(whole));
    if (!batch.empty()) {
      batch[0].iov_base = static_cast<char*>(batch[0].iov_base) + left;
      batch[0].iov_len -= left;
    }
  }
  return true;
}

bool NewFile::finish() {
  if (error_ != 0 || fd_ < 0) return false;
  if (::fsync(fd_) != 0) error_ = errno;
  if (::close(fd_) != 0 && error_ == 0) error_ = errno;
  fd_ = -1;
  return error_ == 0;
}

#endif

}  // namespace shootout
