#pragma once

#include <string>

namespace lumenquill {

bool FileExists(const std::string& path);

// The stand-in for the read-only attribute: the file cannot be written by this user, or it
// carries no write permission for anyone (so a file marked read-only stays read-only for root).
bool IsReadOnlyFile(const std::string& path);

}  // namespace lumenquill
