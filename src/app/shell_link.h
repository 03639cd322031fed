#pragma once

#include <string>

namespace lumenquill {

// The target of a shell shortcut (".lnk"), read from the Shell Link binary format: the first
// of these that names an existing file or folder here: the link information's local base path
// joined with its common path suffix, the network share (\\server\share) joined with it, the
// path with environment variables (%USERPROFILE%\...) expanded, then the shortcut's relative
// path resolved against the shortcut's own folder; when none exists, the local base path as it
// stands. Backslashes become slashes on Linux. A path without the ".lnk" extension comes back unchanged; an
// unreadable or malformed shortcut gives the empty string.
std::string ResolveLink(const std::string& path);

}  // namespace lumenquill
