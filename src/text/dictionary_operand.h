#pragma once

#include "reader/byte_stream.h"

namespace lumenquill {

// From just after "<<": passes over the dictionary up to its matching ">>", with the
// dictionaries, strings and comments inside it. Raises ReadError at the end of the stream.
void SkipDictionary(ByteStream& content);

}  // namespace lumenquill
