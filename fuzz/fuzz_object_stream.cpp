// Reading an object stream on its own: its stream object, the decoding of its data and the
// split of the data into objects by /N and /First.

#include <cstddef>
#include <cstdint>
#include <string>

#include "reader/object_parser.h"
#include "reader/object_resolver.h"
#include "reader/object_stream.h"
#include "reader/section_stream_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace lumenquill;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const XrefTable no_objects;  // references lead nowhere
  ObjectResolver objects(bytes, no_objects);
  ObjectParser parser(bytes);
  if (!parser.ReadObjectHeader()) return 0;
  const std::optional<PdfValue> body =
      parser.ReadObjectBody([](const PdfValue& length) { return length.Integer(); });
  const PdfStream* stream = body ? body->Stream() : nullptr;
  if (!stream) return 0;
  const auto integer = [&stream](const char* key) {
    const PdfValue* value = stream->dictionary.Find(key);
    return value ? value->Integer().value_or(0) : 0;
  };
  const bool cr = bytes.substr(static_cast<size_t>(stream->keyword_end), 1) == "\r";
  const int64_t start = stream->keyword_end + (cr ? 2 : 1);
  if (stream->length < 0 || start + stream->length > static_cast<int64_t>(size)) return 0;
  try {
    const std::string decoded =
        DecodeSectionStream(objects.StreamFilters(stream->dictionary),
                            bytes.substr(static_cast<size_t>(start),
                                         static_cast<size_t>(stream->length)));
    for (const PackedObject& object :
         SplitObjectStream(decoded, integer("/N"), integer("/First"))) {
      if (object.begin + object.size > decoded.size()) __builtin_trap();
    }
  } catch (const Error&) {
  }
  return 0;
}
