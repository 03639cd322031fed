#pragma once

#include <cstdint>
#include <string>

#include "reader/byte_stream.h"
#include "reader/stream_dictionary.h"

namespace lumenquill {

class TPDFAnalyst;

// Reads the tokens of one object up to its "endobj" and hands over the ones that matter,
// passing over what is not syntax: comments, literal-string bodies and stream data (skipped by
// the /Length seen last before "stream", direct or by reference). The stream entries /Length,
// /Filter and /DecodeParms are read with their values and not handed over.
class ObjectTokenScanner final {
 public:
  ObjectTokenScanner(TPDFAnalyst& reader, ByteStream& stream)
      : stream_(stream), dictionary_(reader) {}

  // The next token into token; false once "endobj" has been read. Raises ReadError at the
  // end of the stream.
  bool Next(std::string& token);

 private:
  ByteStream& stream_;
  StreamDictionary dictionary_;
};

// After the "stream" keyword: consumes its end of line (one byte, two for CR then anything)
// and moves past length bytes of data. A negative length skips nothing, so a damaged /Length
// can never move the reading backwards into a loop.
void SkipStreamData(ByteStream& stream, int32_t length);

}  // namespace lumenquill
