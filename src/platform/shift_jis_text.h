#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lumenquill {

// The Shift-JIS (code page 932) bytes as UTF-8, or nothing when they are not valid Shift-JIS.
std::optional<std::string> ShiftJisToUtf8(std::string_view bytes);

}  // namespace lumenquill
