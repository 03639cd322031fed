#pragma once

#include <cstdint>
#include <string>

namespace lumenquill {

// A file open for reading with other writers denied for as long as it lives: on Windows by the
// share mode of the open; on Linux by an advisory open-file-description read lock, which cannot
// be had while another process holds a write lock, and keeps others from taking one.
class LockedFile final {
 public:
  // The largest file read: 1 GiB. The whole file is held in memory, and object offsets are
  // 32-bit numbers; real PDF files with text stay far below it.
  static constexpr int64_t kMaxReadableFileSize = int64_t{1} << 30;

  // Opens a regular file of at most kMaxReadableFileSize bytes for reading under a read lock;
  // raises FileOpenError, with its cause, on failure.
  static LockedFile OpenForReading(const std::string& path);

  // Whether the existing file can be opened for writing with other writers denied (on Linux:
  // under a write lock, that is when no other process holds a lock on it), and if not, why. The
  // file is closed again untouched.
  enum class WriteLock { kAvailable, kHeldElsewhere, kNotPermitted };
  static WriteLock ProbeWriteLock(const std::string& path);

  LockedFile(LockedFile&& other) noexcept;
  LockedFile& operator=(LockedFile&& other) noexcept;
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  ~LockedFile();

  // The whole content as it is now; a file that shrinks while it is read yields what is left,
  // one that grows past the size bound raises FileOpenError.
  std::string ReadAll() const;

 private:
#ifdef _WIN32
  using NativeFile = void*;  // a HANDLE; nullptr once moved from
  static constexpr NativeFile kNoFile = nullptr;
#else
  using NativeFile = int;  // a file descriptor
  static constexpr NativeFile kNoFile = -1;
#endif
  explicit LockedFile(NativeFile file) : file_(file) {}
  NativeFile file_ = kNoFile;
};

}  // namespace lumenquill
