#include "driver/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
  const int fd =
      ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  created_ = true;
  // The process's mask must not narrow the original's bits.
  if (::fchmod(fd, mode) != 0 || (file_ = ::fdopen(fd, "wb")) == nullptr) {
    error_ = errno;
    ::close(fd);
    return;
  }
  std::setvbuf(file_, nullptr, _IOFBF, 1 << 18);
}

NewFile::~NewFile() {
  if (file_ != nullptr) std::fclose(file_);
  if (created_ && !keep_) ::unlink(path_.c_str());
}

bool NewFile::write(std::string_view bytes) {
  if (error_ != 0 || file_ == nullptr) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    error_ = errno != 0 ? errno : EIO;
    return false;
  }
  return true;
}

bool NewFile::finish() {
  if (error_ != 0 || file_ == nullptr) return false;
  errno = 0;
  if (std::fflush(file_) != 0 || ::fsync(::fileno(file_)) != 0) {
    error_ = errno != 0 ? errno : EIO;
  }
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0 && error_ == 0) error_ = errno != 0 ? errno : EIO;
  return error_ == 0;
}

}  // namespace shootout
