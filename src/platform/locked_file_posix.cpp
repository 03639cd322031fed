#include "platform/locked_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/error.h"

namespace lumenquill {
namespace {

bool LockWholeFile(int fd, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;
  lock.l_start = 0;
  lock.l_len = 0;
  return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

FileOpenError::Cause CauseOf(int error_number) {
  switch (error_number) {
    case ENOENT:
    case ENOTDIR:
      return FileOpenError::Cause::kNotFound;
    case EACCES:
    case EPERM:
      return FileOpenError::Cause::kNoPermission;
    case ENXIO:  // a socket, or a device without a driver
      return FileOpenError::Cause::kNotRegular;
    default:
      return FileOpenError::Cause::kOther;
  }
}

[[noreturn]] void RaiseOpenError(const std::string& path, int error_number,
                                 FileOpenError::Cause cause) {
  throw FileOpenError(path + "\n" + std::strerror(error_number), cause);
}

}  // namespace

// The file is opened without blocking, so that a FIFO (which would wait for a writer) is
// refused at once like a device or a socket; only a regular file of bounded size is read.
LockedFile LockedFile::OpenForReading(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) RaiseOpenError(path, errno, CauseOf(errno));
  LockedFile file(fd);
  struct stat info {};
  if (::fstat(fd, &info) != 0) RaiseOpenError(path, errno, FileOpenError::Cause::kOther);
  if (!S_ISREG(info.st_mode)) {
    RaiseOpenError(path, S_ISDIR(info.st_mode) ? EISDIR : EINVAL,
                   FileOpenError::Cause::kNotRegular);
  }
  if (info.st_size > kMaxReadableFileSize) {
    RaiseOpenError(path, EFBIG, FileOpenError::Cause::kTooLarge);
  }
  if (!LockWholeFile(fd, F_RDLCK)) {
    const int error_number = errno;
    RaiseOpenError(path, error_number,
                   error_number == EAGAIN || error_number == EACCES ? FileOpenError::Cause::kLocked
                                                                    : FileOpenError::Cause::kOther);
  }
  return file;
}

LockedFile::WriteLock LockedFile::ProbeWriteLock(const std::string& path) {
  // Without blocking: a FIFO without a reader would otherwise wait for one.
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return errno == EACCES || errno == EPERM || errno == EROFS ? WriteLock::kNotPermitted
                                                               : WriteLock::kHeldElsewhere;
  }
  const bool locked = LockWholeFile(fd, F_WRLCK);
  ::close(fd);
  return locked ? WriteLock::kAvailable : WriteLock::kHeldElsewhere;
}

LockedFile::LockedFile(LockedFile&& other) noexcept : file_(std::exchange(other.file_, kNoFile)) {}

LockedFile& LockedFile::operator=(LockedFile&& other) noexcept {
  if (this != &other) {
    if (file_ >= 0) ::close(file_);
    file_ = std::exchange(other.file_, kNoFile);
  }
  return *this;
}

LockedFile::~LockedFile() {
  if (file_ >= 0) ::close(file_);
}

std::string LockedFile::ReadAll() const {
  struct stat info {};
  const size_t expected = ::fstat(file_, &info) == 0 && info.st_size > 0 ? info.st_size : 0;
  // Read straight into the result; one byte of room beyond the expected size tells whether
  // the file grew meanwhile.
  std::string content(expected + 1, '\0');
  size_t filled = 0;
  for (;;) {
    if (filled == content.size()) {
      if (filled > kMaxReadableFileSize) {
        throw FileOpenError(std::strerror(EFBIG), FileOpenError::Cause::kTooLarge);
      }
      content.resize(content.size() * 2);
    }
    const ssize_t count = ::pread(file_, content.data() + filled, content.size() - filled,
                                  static_cast<off_t>(filled));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) throw FileOpenError(std::strerror(errno), CauseOf(errno));
    if (count == 0) break;
    filled += static_cast<size_t>(count);
  }
  content.resize(filled);
  return content;
}

}  // namespace lumenquill
