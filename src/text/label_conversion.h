#pragma once

#include <string>
#include <string_view>

#include "codes/cmap_reader.h"

namespace lumenquill {

// Converts the raw bytes of a string to Shift-JIS, appending to dest.
using StringConverter = ByteConverter;

// The conversion a font's encoding label calls for: single-byte text for the standard
// encodings, the three words and an empty label; the predefined conversions for the Japanese
// CMaps; a plain copy for the Shift-JIS CMaps. None (nothing is written) for any other label.
StringConverter ConverterForLabel(const std::string& label);

}  // namespace lumenquill
