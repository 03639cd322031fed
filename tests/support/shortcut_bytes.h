#pragma once

#include <string>

namespace lumenquill::testing {

// The bytes of a Shell Link (".lnk") file with link information holding the local base path
// (in the ANSI code page) and, when given, a relative path in UTF-16 (ASCII here).
std::string Shortcut(const std::string& base_path, const std::string& relative_path = "");

}  // namespace lumenquill::testing
