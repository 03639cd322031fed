#include "reader/stream_filters.h"

#include <string>

#include "reader/flate_decode.h"
#include "reader/lzw_decode.h"
#include "reader/reading_primitives.h"
#include "reader/run_length_decode.h"

namespace lumenquill {
namespace {

constexpr std::string_view kFlate = "/FlateDecode";

struct Filter {
  std::string_view name;
  void (*decode)(std::string_view input, MemoryStream& dest);
};

constexpr Filter kFilters[] = {
    {kFlate, [](std::string_view input, MemoryStream& dest) { DecodeFlate(input, dest); }},
    {"/LZWDecode", DecodeLZW},
    {"/RunLengthDecode", DecodeRunLength},
    {"/ASCIIHexDecode",
     [](std::string_view input, MemoryStream& dest) { dest.Write(DecodeASCIIHex(input)); }},
    {"/ASCII85Decode", DecodeASCII85},
};

// The filter of that name, or nullptr.
const Filter* FindFilter(std::string_view name) {
  for (const Filter& filter : kFilters) {
    if (filter.name == name) return &filter;
  }
  return nullptr;
}

bool IsEndOfLine(uint8_t byte) { return byte == '\n' || byte == '\r'; }

// When /Length also counted the end of line before "endstream", the copy ends with it: drop
// the trailing LF, CR or CR LF of the copy unless the data is followed by an end of line.
int32_t TrimTrailingEndOfLine(const ByteStream& source, std::string& copy) {
  const std::string_view after = source.Peek(1);
  if (!after.empty() && IsEndOfLine(static_cast<uint8_t>(after[0]))) return 0;
  if (copy.empty() || !IsEndOfLine(static_cast<uint8_t>(copy.back()))) return 0;
  const bool line_feed = copy.back() == '\n';
  copy.pop_back();
  if (line_feed && !copy.empty() && copy.back() == '\r') {
    copy.pop_back();
    return 2;
  }
  return 1;
}

}  // namespace

bool FiltersSupported(const StringList& filters) {
  if (filters.size() > kMaxFilters) return false;
  for (const std::string& name : filters) {
    if (FindFilter(name) == nullptr) return false;
  }
  return true;
}

void DecodeStream(ByteStream& source, MemoryStream& dest, int32_t length,
                  const StringList& filters) {
  if (length <= 0) return;
  // The end of line after "stream": one byte whatever it is, or CR with an LF after it.
  if (source.ReadByte() == '\r') {
    uint8_t next = 0;
    if (source.TryReadByte(next) && next != '\n') source.Move(-1);
  }

  if (filters.empty()) {
    // A source shorter than length gives what it has.
    dest.Write(source.Peek(length));
    source.Move(std::min<int64_t>(length, source.Remaining()));
    return;
  }
  if (!FiltersSupported(filters)) return;

  if (length > source.Remaining()) throw ReadError();
  std::string copy(source.Peek(length));
  source.Move(length);
  if (filters.front() == kFlate) length -= TrimTrailingEndOfLine(source, copy);

  std::string token;
  ReadToken(source, token);
  if (token != "endstream") return;
  MemoryStream raw(std::move(copy));
  try {
    ApplyFilters(raw, length, filters, dest);
  } catch (const Error&) {
    // Failures leave dest with what was decoded before them.
  }
}

int64_t ApplyFilters(MemoryStream& data, int32_t length, const StringList& filters,
                     MemoryStream& dest) {
  if (filters.empty() || !FiltersSupported(filters)) return 0;
  const int64_t before = dest.Position();
  std::string_view input = data.Bytes().substr(0, static_cast<size_t>(length));
  // The outputs of the filters before the last, in turn: each reads the other.
  MemoryStream stages[2];
  for (size_t i = 0; i + 1 < filters.size(); ++i) {
    MemoryStream& stage = stages[i % 2];
    stage.Clear();
    FindFilter(filters[i])->decode(input, stage);
    input = stage.Bytes();
  }
  FindFilter(filters.back())->decode(input, dest);
  return dest.Position() - before;
}

}  // namespace lumenquill
