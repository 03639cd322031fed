#pragma once

#include "reader/byte_stream.h"

namespace lumenquill {

// After "BI": reads the image dictionary up to "ID" and passes over the image data, by its
// ASCII filter's end marker or by the length its dimensions give. True when "EI" follows;
// false when the data cannot be passed over, which ends the content buffer.
bool SkipInlineImage(ByteStream& content);

}  // namespace lumenquill
