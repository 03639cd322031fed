#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// Windows only: the program's UTF-8 text as the UTF-16 of the system's W functions, and back.
// Invalid UTF-8 becomes U+FFFD, as MultiByteToWideChar makes it; a lone surrogate of a file name
// becomes U+FFFD in UTF-8.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

// The path for the W file functions: separators made "\", and an absolute path of MAX_PATH
// characters or more given the "\\?\" prefix that lifts the limit (without it, Windows refuses a
// long path unless the machine has long paths switched on).
std::wstring WindowsPath(const std::string& path);
// The same made full (the profile functions take a name without a folder as one in the Windows
// folder).
std::wstring FullWindowsPath(const std::string& path);

}  // namespace lumenquill
