#include "platform/settings_location.h"

#include <cstdlib>
#include <filesystem>

#include "platform/path_text.h"

namespace lumenquill {

std::string InstalledDataFolder(const std::string& executable) {
  const std::filesystem::path folder = FilesystemPath(executable).parent_path();
  return PathText(folder.parent_path() / "share" / "lumenquill");
}

std::string SettingsFilePath() {
  if (const char* configured = std::getenv("LUMENQUILL_INI"); configured && *configured) {
    return configured;
  }
  return SettingsFilePathFor(ExecutablePath());
}

std::string SettingsFilePathFor(const std::string& executable) {
  return SettingsFilePathFor(
      executable, FolderMayBeWritten(PathText(FilesystemPath(executable).parent_path())));
}

std::string SettingsFilePathFor(const std::string& executable, bool folder_writable) {
  std::filesystem::path beside = FilesystemPath(executable);
  beside.replace_extension(".ini");
  std::error_code error;
  if (std::filesystem::exists(beside, error)) return PathText(beside);
  const bool installed =
      std::filesystem::is_directory(FilesystemPath(InstalledDataFolder(executable)), error);
  if (!installed && folder_writable) return PathText(beside);
  return PathText(FilesystemPath(UserSettingsFolder()) / "lumenquill.ini");
}

std::string ReadmeFilePathFor(const std::string& executable) {
  const std::filesystem::path beside = FilesystemPath(executable).parent_path() / "readme.txt";
  const std::filesystem::path installed =
      FilesystemPath(InstalledDataFolder(executable)) / "readme.txt";
  std::error_code error;
  if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error)) {
    return PathText(installed);
  }
  return PathText(beside);
}

}  // namespace lumenquill
