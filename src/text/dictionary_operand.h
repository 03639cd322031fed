#pragma once

#include "reader/byte_stream.h"

namespace lumenquill {

// After a "<" token of content: true, with the second "<" consumed, when the token opens a
// dictionary; false, with nothing consumed, when it opens a hexadecimal string.
bool OpensDictionary(ByteStream& content);

// From just after "<<": passes over the dictionary up to its matching ">>", with the
// dictionaries, strings and comments inside it. Raises ReadError at the end of the stream.
void SkipDictionary(ByteStream& content);

}  // namespace lumenquill
