#include "platform/output_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"

namespace lumenquill {
namespace {

// Output is written to the file in pieces of about this size.
constexpr size_t kFlushSize = size_t{1} << 16;

[[noreturn]] void RaiseWriteError(const std::string& path) {
  throw Error(path + "\n" + std::strerror(errno));
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) RaiseWriteError(path);
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  ::fcntl(fd_, F_OFD_SETLK, &lock);  // exclusive while we write; others may not have asked
}

OutputFile::~OutputFile() {
  try {
    Close();
  } catch (const Error&) {
    // A write that fails while unwinding cannot be reported.
  }
}

void OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0) throw Error(path_ + "\n" + std::strerror(EBADF));
  pending_.append(bytes);
  if (pending_.size() >= kFlushSize) Flush();
}

void OutputFile::Flush() {
  size_t written = 0;
  while (written < pending_.size()) {
    const ssize_t count = ::write(fd_, pending_.data() + written, pending_.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      pending_.clear();
      RaiseWriteError(path_);
    }
    written += static_cast<size_t>(count);
  }
  pending_.clear();
}

void OutputFile::Close() {
  if (fd_ < 0) return;
  const int fd = fd_;
  try {
    Flush();
  } catch (...) {
    fd_ = -1;
    ::close(fd);
    throw;
  }
  fd_ = -1;
  if (::close(fd) != 0) RaiseWriteError(path_);
}

}  // namespace lumenquill
