#include "reader/stream_dictionary.h"

#include "reader/pdf_analyst.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "reader/stream_filters.h"

namespace lumenquill {

bool StreamDictionary::ReadEntry(const std::string& key, ByteStream& stream) {
  if (key == "/Length") {
    length_ = reader_.ReadIntegerValue(stream);
  } else if (key == "/Filter") {
    filter_names_.clear();
    reader_.ReadNameList(stream, filter_names_);
  } else if (key == "/DecodeParms") {
    parameters_.clear();
    PositionGuard guard(stream);
    try {
      reader_.VisitValue(stream, [this](ByteStream& value) { ReadDecodeParms(value); });
    } catch (const ReadError&) {
      // Parameters cut off by the end of their object keep what was read before.
    }
  } else {
    return false;
  }
  SkipEntryValue(stream);
  return true;
}

FilterChain StreamDictionary::Filters() const {
  FilterChain chain(filter_names_);
  for (size_t i = 0; i < chain.parameters.size() && i < parameters_.size(); ++i) {
    chain.parameters[i] = parameters_[i];
  }
  return chain;
}

void StreamDictionary::DecodeData(ByteStream& stream, MemoryStream& dest) const {
  DecodeStream(stream, dest, length_, Filters());
}

// Parameters past kMaxFilters are not kept: no chain that long is decoded.
void StreamDictionary::ReadDecodeParms(ByteStream& value) {
  const int64_t start = value.Position();
  std::string token;
  ReadTokenPastStringsAndComments(value, token);
  if (token != "[") {
    value.SetPosition(start);
    parameters_.push_back(ReadParameters(value));
    return;
  }
  while (parameters_.size() < kMaxFilters) {
    const int64_t element = value.Position();
    ReadTokenPastStringsAndComments(value, token);
    if (token == "]" || token == "endobj") return;
    value.SetPosition(element);
    parameters_.push_back(ReadParameters(value));
  }
}

FilterParameters StreamDictionary::ReadParameters(ByteStream& stream) {
  FilterParameters parameters;
  reader_.VisitValue(stream, [this, &parameters](ByteStream& value) {
    const int64_t start = value.Position();
    std::string key;
    ReadTokenPastStringsAndComments(value, key);
    if (key != "<" || value.Peek(1) != "<") {
      value.SetPosition(start);
      SkipValue(value);
      return;
    }
    value.Move(1);
    for (;;) {
      ReadTokenPastStringsAndComments(value, key);
      if (key == ">") {
        if (value.Peek(1) == ">") value.Move(1);
        return;
      }
      if (key == "endobj") {
        value.Move(-static_cast<int64_t>(key.size()));
        return;
      }
      if (key[0] != '/') continue;
      if (int32_t* parameter = FilterParameterOf(parameters, key)) {
        *parameter = reader_.ReadIntegerValue(value);
      }
      SkipEntryValue(value);
    }
  });
  return parameters;
}

void StreamDictionary::SkipEntryValue(ByteStream& stream) const {
  if (reader_.ReadReference(stream) == -1) SkipValue(stream);
}

}  // namespace lumenquill
