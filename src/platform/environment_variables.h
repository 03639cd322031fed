#pragma once

#include <string>

namespace lumenquill {

// The text with each %NAME% replaced by the value of the environment variable NAME, as Windows
// expands the paths it keeps in shortcuts (ExpandEnvironmentStringsW there); a name that is not
// set stays as it was written.
std::string ExpandEnvironmentVariables(const std::string& text);

}  // namespace lumenquill
