#pragma once

#include <string>

namespace lumenquill {

// An open file holding an advisory open-file-description lock for as long as it lives.
// A read lock stands for "open for reading, other writers denied": it cannot be had while
// another process holds a write lock, and it keeps others from taking one.
class LockedFile final {
 public:
  // Opens the file for reading under a read lock; raises FileOpenError on failure.
  static LockedFile OpenForReading(const std::string& path);

  // True when the existing file can be opened for writing under a write lock, that is when
  // no other process holds a lock on it. The file is closed again untouched.
  static bool CanLockForWriting(const std::string& path);

  LockedFile(LockedFile&& other) noexcept;
  LockedFile& operator=(LockedFile&& other) noexcept;
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  ~LockedFile();

  // The whole content as it is now; a file that shrinks while it is read yields what is left.
  std::string ReadAll() const;

 private:
  explicit LockedFile(int fd) : fd_(fd) {}
  int fd_ = -1;
};

}  // namespace lumenquill
