#pragma once

#include <string>

namespace lumenquill {

// The last component of a path.
std::string FileNamePart(const std::string& path);
// The extension of the last component, from its last "." (dot included); empty without one.
std::string ExtensionOf(const std::string& path);
// The path with its extension replaced (or added).
std::string WithExtension(const std::string& path, const std::string& extension);
// Whether the extension equals the given one (".pdf", ".lnk") without regard to case.
bool HasExtension(const std::string& path, const std::string& extension);

}  // namespace lumenquill
