#include "platform/settings_location.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace lumenquill {

// Looked up once: the settings are read for every file converted, and the running executable
// stays the same.
std::string ExecutablePath() {
  static const std::string executable = [] {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
  }();
  return executable;
}

std::string InstalledDataFolder(const std::string& executable) {
  const std::filesystem::path folder = std::filesystem::path(executable).parent_path();
  return (folder.parent_path() / "share" / "lumenquill").string();
}

std::string SettingsFilePath() {
  if (const char* configured = std::getenv("LUMENQUILL_INI"); configured && *configured) {
    return configured;
  }
  return SettingsFilePathFor(ExecutablePath());
}

std::string SettingsFilePathFor(const std::string& executable) {
  const std::filesystem::path folder = std::filesystem::path(executable).parent_path();
  return SettingsFilePathFor(executable, ::access(folder.c_str(), W_OK) == 0);
}

std::string SettingsFilePathFor(const std::string& executable, bool folder_writable) {
  std::filesystem::path beside = executable;
  beside.replace_extension(".ini");
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return beside.string();
  const bool installed = std::filesystem::is_directory(InstalledDataFolder(executable), error);
  if (!installed && folder_writable) return beside.string();
  std::filesystem::path config;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    config = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    config = std::filesystem::path(home) / ".config";
  } else {
    config = std::filesystem::temp_directory_path(error);
  }
  config /= "lumenquill";
  std::filesystem::create_directories(config, error);
  return (config / "lumenquill.ini").string();
}

std::string ReadmeFilePathFor(const std::string& executable) {
  const std::filesystem::path beside =
      std::filesystem::path(executable).parent_path() / "readme.txt";
  const std::filesystem::path installed =
      std::filesystem::path(InstalledDataFolder(executable)) / "readme.txt";
  std::error_code error;
  if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error)) {
    return installed.string();
  }
  return beside.string();
}

}  // namespace lumenquill
