#pragma once

#include <string>

namespace lumenquill {

// The settings file: LUMENQUILL_INI when it is set; else the executable's path with ".ini"
// when that file exists or the executable's folder is writable; else
// $XDG_CONFIG_HOME/lumenquill/lumenquill.ini (by default under ~/.config), its folder created.
std::string SettingsFilePath();

// The full path of the running executable.
std::string ExecutablePath();

}  // namespace lumenquill
