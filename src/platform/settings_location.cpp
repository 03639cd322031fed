#include "platform/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace lumenquill {

std::string ExecutablePath() {
  std::error_code error;
  const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string SettingsFilePath() {
  if (const char* configured = std::getenv("LUMENQUILL_INI"); configured && *configured) {
    return configured;
  }
  std::filesystem::path beside = ExecutablePath();
  beside.replace_extension(".ini");
  std::error_code error;
  if (std::filesystem::exists(beside, error) || ::access(beside.parent_path().c_str(), W_OK) == 0) {
    return beside.string();
  }
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = std::filesystem::temp_directory_path();
  }
  config /= "lumenquill";
  std::filesystem::create_directories(config, error);
  return (config / "lumenquill.ini").string();
}

}  // namespace lumenquill
