#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/byte_stream.h"
#include "reader/filter_chain.h"
#include "reader/memory_stream.h"
#include "reader/predictor.h"
#include "reader/string_list.h"

namespace lumenquill {

class TPDFAnalyst;

// The entries of a stream dictionary that say how to read its data: /Length, /Filter and
// /DecodeParms. A reader of a stream object hands every key it meets to ReadEntry, reads the
// keys it is given back itself, and on "stream" decodes the data with Length() and Filters().
// /F and /DP stand for /Filter and /DecodeParms only in inline images; in a stream dictionary
// /F names an external file, so neither is read here.
class StreamDictionary final {
 public:
  explicit StreamDictionary(TPDFAnalyst& reader) : reader_(reader) {}

  // For /Length, /Filter and /DecodeParms: reads the value at the position of stream, direct
  // or by reference, moves past it and returns true; a key met again replaces what it gave.
  // Any other key gives false, the position unchanged. Moving past a /DecodeParms dictionary
  // keeps its ">>" from ending the caller's dictionary. Raises ReadError at the end of stream.
  bool ReadEntry(const std::string& key, ByteStream& stream);

  // The /Length read; 0 without one or when it is no integer.
  int32_t Length() const { return length_; }
  // The filters of /Filter, the nth with the nth parameters of /DecodeParms: a dictionary, or
  // an array of dictionaries and nulls. A lone dictionary belongs to the first filter. A null,
  // a missing entry or any other value gives the default parameters.
  FilterChain Filters() const;

  // Decodes the data after the "stream" keyword just read, as DecodeStream does.
  void DecodeData(ByteStream& stream, MemoryStream& dest) const;

 private:
  void ReadDecodeParms(ByteStream& value);
  // The parameters of the dictionary that is the value at the position, references followed,
  // or the defaults for any other value; moves past the value.
  FilterParameters ReadParameters(ByteStream& stream);
  // Moves past the value at the position: a whole reference, or one value.
  void SkipEntryValue(ByteStream& stream) const;

  TPDFAnalyst& reader_;
  int32_t length_ = 0;
  StringList filter_names_;
  std::vector<FilterParameters> parameters_;  // kMaxFilters at most
};

}  // namespace lumenquill
