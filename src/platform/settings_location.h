#pragma once

#include <string>

namespace lumenquill {

// The settings file: LUMENQUILL_INI when it is set; else SettingsFilePathFor(ExecutablePath()).
std::string SettingsFilePath();

// The settings file of the program at `executable`, LUMENQUILL_INI aside: the executable's path
// with ".ini" when that file exists, or when the executable's folder is writable and the program
// is not installed (no data folder ../share/lumenquill beside its folder, as in the build tree);
// else lumenquill.ini in UserSettingsFolder() (created only when a setting is written, so that
// a run that changes nothing leaves no empty folder behind). An installed program thus
// never writes into /usr/bin, even run by root, nor into a user's own ~/.local/bin, nor into
// Program Files.
std::string SettingsFilePathFor(const std::string& executable);
// The same choice, told whether the executable's folder may be written; the overload above asks
// the file system.
std::string SettingsFilePathFor(const std::string& executable, bool folder_writable);

// The program's data folder when it is installed: ../share/lumenquill from the executable's
// folder (/usr/share/lumenquill for /usr/bin/lumenquill).
std::string InstalledDataFolder(const std::string& executable);

// The read-me file that the help command opens: readme.txt beside the executable when it is
// there, else the installed one in InstalledDataFolder when it is there, else the path beside
// the executable (so that a failure names where the file was looked for first).
std::string ReadmeFilePathFor(const std::string& executable);

// The full path of the running executable; looked up once.
std::string ExecutablePath();

// Whether this user may create files in the folder.
bool FolderMayBeWritten(const std::string& folder);

// The user's own folder of the program's settings: $XDG_CONFIG_HOME/lumenquill (by default
// ~/.config/lumenquill) on Linux, %APPDATA%\Lumenquill on Windows.
std::string UserSettingsFolder();

}  // namespace lumenquill
