#pragma once

#include <string>

namespace lumenquill::testing {

// The bytes of a Shell Link (".lnk") file with link information holding the local base path
// (in the ANSI code page) and, when given, a relative path in UTF-16 (ASCII here).
std::string Shortcut(const std::string& base_path, const std::string& relative_path = "");

// A shortcut as Windows writes one to a file on a network share: link information with only the
// common network relative link (the share's name, ANSI) and the common path suffix.
std::string NetworkShortcut(const std::string& share, const std::string& suffix);

// A shortcut as Windows writes one to a path under a profile folder: no link information, the
// target in an environment variable data block ("%NAME%\\file", ANSI and UTF-16, ASCII here).
std::string EnvironmentShortcut(const std::string& path);

}  // namespace lumenquill::testing
