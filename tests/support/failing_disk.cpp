#include "support/failing_disk.h"

#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace lumenquill::testing {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  ::getrlimit(RLIMIT_FSIZE, &previous_);
  rlimit limit = previous_;
  limit.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  previous_handler_ = ::signal(SIGXFSZ, SIG_IGN);
}

FileSizeLimit::~FileSizeLimit() {
  ::setrlimit(RLIMIT_FSIZE, &previous_);
  ::signal(SIGXFSZ, previous_handler_);
}

ReadOnlyFolder::ReadOnlyFolder(const std::string& path) : path_(path) {
  std::filesystem::create_directories(path);
  if (::geteuid() == 0) {
    // The folder bound onto itself, then made read-only: its files stay readable.
    mounted_ = ::mount(path.c_str(), path.c_str(), nullptr, MS_BIND, nullptr) == 0;
    ok_ = mounted_ &&
          ::mount(nullptr, path.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) == 0;
  } else {
    ok_ = ::chmod(path.c_str(), 0555) == 0;
  }
}

ReadOnlyFolder::~ReadOnlyFolder() {
  if (mounted_) {
    ::umount2(path_.c_str(), MNT_DETACH);
  } else {
    ::chmod(path_.c_str(), 0755);
  }
}

SmallDisk::SmallDisk(const std::string& path, size_t bytes) : path_(path) {
  std::filesystem::create_directories(path);
  const std::string options = "size=" + std::to_string(bytes);
  ok_ = ::geteuid() == 0 && ::mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

SmallDisk::~SmallDisk() {
  if (ok_) ::umount2(path_.c_str(), MNT_DETACH);
}

}  // namespace lumenquill::testing
