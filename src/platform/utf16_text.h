#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// UTF-16 text (file names from the system, strings of a shortcut) as UTF-8. A lone surrogate
// becomes U+FFFD, as the conversion of Windows makes it.
std::string Utf16ToUtf8(std::u16string_view units);

}  // namespace lumenquill
