#include "driver/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <vector>

namespace shootout {

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

}  // namespace shootout
