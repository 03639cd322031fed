#include "platform/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

#include "platform/error.h"
#include "platform/file_attributes.h"
#include "platform/interruption.h"
#include "platform/output_reasons.h"
#include "platform/temporary_name.h"

namespace lumenquill {
namespace {

// Output is written to the file in pieces of about this size.
constexpr size_t kFlushSize = size_t{1} << 16;
// As many links in a row as the kernel follows (its ELOOP bound).
constexpr int kMaxLinksFollowed = 40;

std::string WriteFailureReason(int error_number) {
  switch (error_number) {
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が不足しているため、テキストファイルを保存できませんでした。";
    case EACCES:
    case EPERM:
    case EROFS:
      return kNoWritePermissionReason;
    case ENOENT:
    case ENOTDIR:
      return "保存先のフォルダが見つからないため、テキストファイルを保存できませんでした。";
    case EEXIST:
      return kAppearedMeanwhileReason;
    default:
      return std::string("テキストファイルを保存できませんでした。(") +
             std::strerror(error_number) + ")";
  }
}

// The folder part of path with its "/", or "" for a name alone.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

// The pattern of a hidden name beside target (see HiddenTemporaryName).
std::string HiddenNamePattern(const std::string& target) {
  const std::string folder = FolderOf(target);
  return folder +
         HiddenTemporaryName(std::string_view(target).substr(folder.size()), NameUnits::kBytes);
}

// The kernel's protected_symlinks rule: in a world-writable sticky folder a link is followed only
// when it belongs to the folder's owner or to the user who follows it. Elsewhere any link is.
bool IsProtectedLink(const std::string& link, const struct stat& link_info) {
  const std::string folder = FolderOf(link);
  struct stat folder_info {};
  if (::stat(folder.empty() ? "." : folder.c_str(), &folder_info) != 0) return false;
  const bool shared = (folder_info.st_mode & S_ISVTX) != 0 && (folder_info.st_mode & S_IWOTH) != 0;
  return shared && link_info.st_uid != folder_info.st_uid && link_info.st_uid != ::geteuid();
}

// The file a write to path lands in: the file a symbolic link names (through every link in a
// row), else the path itself. A link that may not be followed is refused.
std::string FileWrittenThrough(const std::string& path) {
  std::string current = path;
  for (int followed = 0; followed < kMaxLinksFollowed; ++followed) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    if (IsProtectedLink(current, info)) {
      throw OutputError(path,
                        "共有フォルダにある他のユーザーのシンボリックリンクのため、"
                        "テキストファイルを保存しませんでした。");
    }
    char named[PATH_MAX];
    const ssize_t length = ::readlink(current.c_str(), named, sizeof named);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof named) return path;
    const std::string next(named, static_cast<size_t>(length));
    current = next.front() == '/' ? next : FolderOf(current) + next;
  }
  return path;  // a loop of links: the rename replaces the link itself
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

// The errors of an O_TMPFILE open on a file system (or a kernel) that has no unnamed files.
bool LacksUnnamedFiles(int error_number) {
  return error_number == EOPNOTSUPP || error_number == EISDIR || error_number == EINVAL;
}

// A name made from the hidden name's pattern by make (which returns false, with errno set, when
// it fails), trying other random endings while the name exists; "" when make failed otherwise.
template <typename Make>
std::string MakeUniqueName(std::string pattern, const Make& make) {
  static constexpr char kCharacters[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (size_t i = pattern.size() - 6; i < pattern.size(); ++i) {
      pattern[i] = kCharacters[entropy() % (sizeof kCharacters - 1)];
    }
    if (make(pattern)) return pattern;
    if (errno != EEXIST) return "";
  }
  return "";
}

// Gives the open unnamed file the name; fails with EEXIST when the name exists.
bool LinkOpenFile(int fd, const std::string& name) {
  const std::string open_file = "/proc/self/fd/" + std::to_string(fd);
  return ::linkat(AT_FDCWD, open_file.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

// Renames the file unless a file of the new name exists (then fails with EEXIST): with
// renameat2 where the file system has RENAME_NOREPLACE, else (NFS) as a hard link, which is
// refused where the name exists, and the removal of the old name.
bool RenameWithoutReplacing(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  ::unlink(from.c_str());
  return true;
}

}  // namespace

OutputFile::OutputFile(const std::string& path, ExistingFile existing)
    : path_(path), target_(FileWrittenThrough(path)), existing_(existing) {
  // Only a regular file is replaced: renaming over a device, a FIFO or a folder would destroy it.
  if (FileExists(target_) && !IsRegularFile(target_)) {
    throw OutputError(path_, kNotRegularFileReason);
  }
  const std::string folder = FolderOf(target_);
  // The unnamed file gets its name through /proc, which a chroot may lack.
  if (::access("/proc/self/fd", X_OK) == 0) {
    file_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (file_ < 0 && !LacksUnnamedFiles(errno)) Fail(errno);
  }
  if (file_ < 0) {
    InterruptionsHeld held;
    temporary_ = MakeUniqueName(HiddenNamePattern(target_), [this](const std::string& name) {
      file_ = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
      return file_ >= 0;
    });
    if (temporary_.empty()) Fail(errno);
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

// No fsync: the rename already keeps a failed or interrupted run from touching the target, and
// syncing every file made a batch of small files three to five times slower. Space is reserved
// at write(), and close() reports what a network file system reports late.
void OutputFile::Commit() {
  if (file_ < 0) Fail(EBADF);
  Flush();
  InterruptionsHeld held;
  if (temporary_.empty() && existing_ == ExistingFile::kKeep) {
    // linkat never replaces: the complete file gets the target's name, or nothing happens.
    if (!LinkOpenFile(file_, target_)) Fail(errno);
    if (::close(std::exchange(file_, -1)) != 0) {
      const int error_number = errno;
      ::unlink(target_.c_str());
      Fail(error_number);
    }
    return;
  }
  if (temporary_.empty()) {
    // A replacing rename needs a name to rename: a hidden one, for the moment of the commit.
    temporary_ = MakeUniqueName(HiddenNamePattern(target_), [this](const std::string& name) {
      return LinkOpenFile(file_, name);
    });
    if (temporary_.empty()) Fail(errno);
    RegisterTemporaryFile(temporary_.c_str());
  }
  if (::close(std::exchange(file_, -1)) != 0) Fail(errno);
  const bool placed = existing_ == ExistingFile::kReplace
                          ? ::rename(temporary_.c_str(), target_.c_str()) == 0
                          : RenameWithoutReplacing(temporary_, target_);
  if (!placed) Fail(errno);
  RegisterTemporaryFile(nullptr);
  temporary_.clear();
}

}  // namespace lumenquill
