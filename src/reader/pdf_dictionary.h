#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/byte_stream.h"
#include "reader/memory_stream.h"

namespace lumenquill {

// The entries of one dictionary: each key, slash included, with the bytes of its value as they
// stand in the file (a nested dictionary or array whole). A key written twice keeps its first
// value.
using TextDictionary = std::map<std::string, std::string, std::less<>>;

// From "<<" at the position of stream, reads the entries up to the closing ">>" and moves past
// it. Raises LoadError when the bytes are not a dictionary, ReadError at the end of the stream.
TextDictionary ReadDictionary(ByteStream& stream);

// A stream over a value's bytes as ReadDictionary keeps them, with a final space so that the
// value's last token ends there.
MemoryStream ValueStream(std::string_view value);

// The dictionary held by a value's bytes; empty when they hold none.
TextDictionary DictionaryValue(std::string_view value);
// A direct integer value; nothing for a missing entry or any other value.
std::optional<int32_t> IntegerEntry(const TextDictionary& dictionary, std::string_view key);
// The name a value's bytes hold, slash included; "" for any other value.
std::string NameValue(std::string_view value);
// A direct name value, slash included; "" for a missing entry or any other value.
std::string NameEntry(const TextDictionary& dictionary, std::string_view key);
// The integers of a direct array of integers; nothing when the value is anything else.
std::optional<std::vector<int32_t>> IntegerArray(std::string_view value);

// A stream object at the position of stream, read up to its data.
struct StreamObjectHeader {
  int32_t number = -1;
  TextDictionary dictionary;
};

// Reads "n g obj", the dictionary and the "stream" keyword with its end of line; the position
// ends on the first byte of the data. Raises LoadError when the bytes are not a stream object,
// ReadError at the end of the stream.
StreamObjectHeader ReadStreamObjectHeader(ByteStream& stream);

}  // namespace lumenquill
