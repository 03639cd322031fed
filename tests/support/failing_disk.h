#pragma once

#include <sys/resource.h>

#include <string>

namespace lumenquill::testing {

// A disk that fails after a chosen number of bytes: while it lives, no file of this process
// may grow past the limit, and a write that would fails with EFBIG (SIGXFSZ is ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previous_handler_)(int) = nullptr;
};

// Makes a folder one in which no file can be created or changed, its files still readable:
// a read-only bind mount of itself when running as root (who may write anywhere else), else
// the folder without write permission. ok() is false when neither could be had.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& path);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  bool ok() const { return ok_; }

 private:
  std::string path_;
  bool mounted_ = false;
  bool ok_ = false;
};

// A tmpfs of the given size mounted at path while the object lives (root only; ok() tells).
class SmallDisk {
 public:
  SmallDisk(const std::string& path, size_t bytes);
  ~SmallDisk();
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool ok() const { return ok_; }

 private:
  std::string path_;
  bool ok_ = false;
};

}  // namespace lumenquill::testing
