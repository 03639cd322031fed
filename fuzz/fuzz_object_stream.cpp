// Reading an object stream on its own: its stream object, the decoding of its data and the
// split of the data into objects by /N and /First.

#include <cstddef>
#include <cstdint>
#include <string>

#include "reader/memory_stream.h"
#include "reader/object_stream.h"
#include "reader/pdf_analyst.h"
#include "reader/pdf_dictionary.h"
#include "reader/section_stream_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumenquill;
  MemoryStream stream(std::string(reinterpret_cast<const char*>(data), size));
  try {
    const StreamObjectHeader header = ReadStreamObjectHeader(stream);
    const int32_t length = IntegerEntry(header.dictionary, "/Length").value_or(0);
    if (length < 0 || length > stream.Remaining()) return 0;
    TPDFAnalyst reader;  // no table: references lead nowhere
    const std::string decoded = DecodeSectionStream(reader, header.dictionary, stream.Peek(length));
    for (const PackedObject& object :
         SplitObjectStream(decoded, IntegerEntry(header.dictionary, "/N").value_or(0),
                           IntegerEntry(header.dictionary, "/First").value_or(0))) {
      if (object.begin + object.size > decoded.size()) __builtin_trap();
    }
  } catch (const Error&) {
  }
  return 0;
}
