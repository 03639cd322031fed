#pragma once

#include <string>

namespace lumenquill {

// True for an existing file or folder.
bool FileExists(const std::string& path);
bool IsFolder(const std::string& path);
// True for an existing file that holds data: not a folder (nor, on Linux, a FIFO, a device or a
// socket).
bool IsRegularFile(const std::string& path);
// The read-only attribute. On Linux, a file that carries no write permission for anyone (so a
// file marked read-only stays read-only for root). A file that this user may not write for want
// of permission is not read-only (see LockedFile::ProbeWriteLock).
bool IsReadOnlyFile(const std::string& path);

}  // namespace lumenquill
