#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumenquill {

// Paths travel through the program as std::string: on Linux the system's bytes as they are, on
// Windows UTF-8 (the wide names of the system's W functions, converted at the platform's edge),
// so that every file name works on both.

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// Whether c separates the folders of a path: "/" everywhere, and "\" on Windows too.
constexpr bool IsPathSeparator(char c) { return c == '/' || (kPathSeparator == '\\' && c == '\\'); }

// The folder's path ending in one separator, ready for a name to be appended.
std::string WithTrailingSeparator(const std::string& folder);

// The position of the last separator, or npos.
size_t LastPathSeparator(std::string_view path);

// A text that is the same for two paths that name one file: the path made absolute, with the
// links among its folders resolved, and on Windows, whose names ignore case, in capitals.
std::string SameFileKey(const std::string& path);

// The path as the standard library's file-system path, and back.
std::filesystem::path FilesystemPath(const std::string& path);
std::string PathText(const std::filesystem::path& path);

}  // namespace lumenquill
