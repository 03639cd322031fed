#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

// Converts the raw bytes of a string to extracted text (codes/extracted_text.h), appending to
// dest.
using StringConverter = void (*)(std::string_view source, std::string& dest);

// The conversion a font's encoding label calls for: single-byte text for the standard
// encodings, the three words and an empty label; the predefined conversions for the Japanese
// CMaps, the Shift-JIS codes of the RKSJ CMaps kept as they are. None (nothing is written) for any
// other label.
StringConverter ConverterForLabel(const std::string& label);

}  // namespace lumenquill
