#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/settings_location.h"

namespace lumenquill {

std::string ExecutablePath() {
  static const std::string executable = [] {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
  }();
  return executable;
}

bool FolderMayBeWritten(const std::string& folder) { return ::access(folder.c_str(), W_OK) == 0; }

std::string UserSettingsFolder() {
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    std::error_code error;
    config = std::filesystem::temp_directory_path(error);
  }
  return (config / "lumenquill").string();
}

}  // namespace lumenquill
