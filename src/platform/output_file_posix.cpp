#include "platform/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/error.h"
#include "platform/interruption.h"

namespace lumenquill {
namespace {

// Output is written to the file in pieces of about this size.
constexpr size_t kFlushSize = size_t{1} << 16;

std::string WriteFailureReason(int error_number) {
  switch (error_number) {
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が不足しているため、テキストファイルを保存できませんでした。";
    case EACCES:
    case EPERM:
    case EROFS:
      return "書き込みの権限がないため、テキストファイルを保存できませんでした。";
    case ENOENT:
    case ENOTDIR:
      return "保存先のフォルダが見つからないため、テキストファイルを保存できませんでした。";
    default:
      return std::string("テキストファイルを保存できませんでした。(") +
             std::strerror(error_number) + ")";
  }
}

// The file a write to path lands in: the file a symbolic link names, else the path itself.
std::string ReplacedFile(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

// Gives the new file the permissions of the file it replaces, and its owner where this user may
// (root), or else the permissions the umask allows.
void TakeOverAttributes(int fd, const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    // Refused unless this user may give files away; the owner is then this user.
    [[maybe_unused]] const int refused = ::fchown(fd, info.st_uid, info.st_gid);
    ::fchmod(fd, info.st_mode & 07777);
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

// Only a regular file is replaced: renaming over a device, a FIFO or a folder would destroy it.
bool IsReplaceable(const std::string& target) {
  struct stat info {};
  return ::stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode);
}

}  // namespace

OutputFile::OutputFile(const std::string& path) : path_(path), target_(ReplacedFile(path)) {
  if (!IsReplaceable(target_)) {
    throw OutputError(path_,
                      "通常のファイルではないため、テキストファイルを保存できませんでした。");
  }
  const size_t slash = target_.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : target_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target_ : target_.substr(slash + 1);
  std::string pattern = folder + "." + name + ".XXXXXX";
  {
    InterruptionsHeld held;
    file_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (file_ < 0) Fail(errno);
    temporary_ = pattern;
    RegisterTemporaryFile(temporary_.c_str());
  }
  TakeOverAttributes(file_, target_);
}

OutputFile::~OutputFile() { Discard(); }

void OutputFile::Discard() {
  if (file_ >= 0) ::close(file_);
  file_ = -1;
  if (temporary_.empty()) return;
  InterruptionsHeld held;
  ::unlink(temporary_.c_str());
  RegisterTemporaryFile(nullptr);
  temporary_.clear();
}

void OutputFile::Fail(ErrorCode error_number) {
  Discard();
  throw OutputError(path_, WriteFailureReason(error_number));
}

void OutputFile::Write(std::string_view bytes) {
  if (file_ < 0) Fail(EBADF);
  pending_.append(bytes);
  if (pending_.size() >= kFlushSize) Flush();
}

void OutputFile::Flush() {
  size_t written = 0;
  while (written < pending_.size()) {
    const ssize_t count = ::write(file_, pending_.data() + written, pending_.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) Fail(errno);
    written += static_cast<size_t>(count);
  }
  pending_.clear();
}

void OutputFile::Commit() {
  if (file_ < 0) Fail(EBADF);
  Flush();
  // No fsync: the rename already keeps a failed or interrupted run from touching the target,
  // and syncing every file made a batch of small files three to five times slower. Space is
  // reserved at write(), and close() reports what a network file system reports late.
  const int fd = file_;
  file_ = -1;
  if (::close(fd) != 0) Fail(errno);
  InterruptionsHeld held;
  if (::rename(temporary_.c_str(), target_.c_str()) != 0) Fail(errno);
  RegisterTemporaryFile(nullptr);
  temporary_.clear();
}

}  // namespace lumenquill
