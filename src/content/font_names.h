#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// The text with every "/" removed, wherever it stands.
std::string RemoveSlashes(std::string_view text);

// The text with its #xx escapes decoded, when every escaped byte fits Shift-JIS: an escaped
// lead byte (0x80-0x9F, 0xE0-0xFC) takes the next byte, escaped or plain, as its trail
// (0x40-0x7E, 0x80-0xFC); an escaped single byte must be 0x20-0x7E or 0xA1-0xDF. Any other
// escape leaves the whole text unchanged. An escape cut off by the end of the text, and a lead
// byte without a trail, are dropped.
std::string DecodeNameEscapes(std::string_view text);

}  // namespace lumenquill
