#pragma once

#include <string>

namespace lumenquill {

// True for an existing file or folder.
bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
// The read-only attribute. On Linux its stand-in: the file cannot be written by this user, or it
// carries no write permission for anyone (so a file marked read-only stays read-only for root).
bool IsReadOnlyFile(const std::string& path);

}  // namespace lumenquill
