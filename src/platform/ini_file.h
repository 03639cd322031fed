#pragma once

#include <optional>
#include <string>

namespace lumenquill {

// The profile functions on an INI file: "[section]" lines and "key=value" lines, sections and
// keys matched without regard to case. Every call opens the file anew; nothing is cached. On
// Windows the system's own profile functions read and write the file.

// The value of the key, spaces around it dropped; nothing when the file, the section or the key
// is missing.
std::optional<std::string> FindProfileValue(const std::string& path, const std::string& section,
                                            const std::string& key);

// The value of the key, or fallback when the file, the section or the key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& fallback);

// Sets the key to the value, creating the file, its folders and the section when they are
// missing and keeping every other line as it was. Failures are not reported.
void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value);

}  // namespace lumenquill
