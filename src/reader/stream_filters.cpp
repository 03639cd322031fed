#include "reader/stream_filters.h"

#include <string>

#include "reader/decoded_bytes.h"
#include "reader/flate_decode.h"
#include "reader/lzw_decode.h"
#include "reader/pdf_strings.h"
#include "reader/predictor.h"
#include "reader/reading_primitives.h"
#include "reader/run_length_decode.h"

namespace lumenquill {
namespace {

constexpr std::string_view kFlate = "/FlateDecode";

struct Filter {
  std::string_view name;
  void (*decode)(std::string_view input, const FilterParameters& parameters, MemoryStream& dest);
  bool predicted;  // whether its parameters may name a predictor to undo on its output
};

constexpr Filter kFilters[] = {
    {kFlate,
     [](std::string_view input, const FilterParameters&, MemoryStream& dest) {
       DecodeFlate(input, dest);
     },
     true},
    {"/LZWDecode",
     [](std::string_view input, const FilterParameters& parameters, MemoryStream& dest) {
       DecodeLZW(input, dest, parameters.early_change != 0);
     },
     true},
    {"/RunLengthDecode",
     [](std::string_view input, const FilterParameters&, MemoryStream& dest) {
       DecodeRunLength(input, dest);
     },
     false},
    {"/ASCIIHexDecode",
     [](std::string_view input, const FilterParameters&, MemoryStream& dest) {
       // White space may stand anywhere, even inside a byte; a NUL ends the data, ">" does not.
       dest.Write(HexToBytes(input.substr(0, input.find('\0'))));
     },
     false},
    {"/ASCII85Decode",
     [](std::string_view input, const FilterParameters&, MemoryStream& dest) {
       DecodeASCII85(input, dest);
     },
     false},
};

// The filter of that name, or nullptr.
const Filter* FindFilter(std::string_view name) {
  for (const Filter& filter : kFilters) {
    if (filter.name == name) return &filter;
  }
  return nullptr;
}

// Runs filter i of the chain on input, appending to dest, and undoes the predictor its
// parameters name. When the filter fails, the rows it gave before the failure still reach dest.
void RunFilter(const FilterChain& filters, size_t i, std::string_view input, MemoryStream& dest) {
  const Filter& filter = *FindFilter(filters.names[i]);
  const FilterParameters& parameters = filters.parameters[i];
  if (!filter.predicted || PredictorIsNone(parameters)) {
    filter.decode(input, parameters, dest);
    return;
  }
  MemoryStream predicted;
  try {
    filter.decode(input, parameters, predicted);
  } catch (const Error&) {
    UndoPredictor(parameters, predicted.Bytes(), dest);
    throw;
  }
  UndoPredictor(parameters, predicted.Bytes(), dest);
}

// When /Length also counted the end of line before "endstream", the data ends with it: the
// number of bytes of the trailing LF, CR or CR LF to drop, none when the data is followed by an
// end of line.
size_t TrailingEndOfLine(const ByteStream& source, std::string_view data) {
  const std::string_view after = source.Peek(1);
  if (!after.empty() && IsEndOfLine(static_cast<uint8_t>(after[0]))) return 0;
  if (data.empty() || !IsEndOfLine(static_cast<uint8_t>(data.back()))) return 0;
  return data.back() == '\n' && data.size() >= 2 && data[data.size() - 2] == '\r' ? 2 : 1;
}

}  // namespace

bool FiltersSupported(const FilterChain& filters) {
  if (filters.names.size() > kMaxFilters) return false;
  if (filters.parameters.size() != filters.names.size()) return false;
  for (const std::string& name : filters.names) {
    if (FindFilter(name) == nullptr) return false;
  }
  return true;
}

void DecodeStream(ByteStream& source, MemoryStream& dest, int32_t length,
                  const FilterChain& filters) {
  if (length <= 0) return;
  // The end of line after "stream": one byte whatever it is, or CR with an LF after it.
  if (source.ReadByte() == '\r') {
    uint8_t next = 0;
    if (source.TryReadByte(next) && next != '\n') source.Move(-1);
  }

  if (filters.names.empty()) {
    // A source shorter than length gives what it has; data past the thread's bound on decoded
    // bytes gives nothing, as a failing filter does.
    try {
      dest.Write(source.Peek(length));
    } catch (const DecodedBytesError&) {
    }
    source.Move(std::min<int64_t>(length, source.Remaining()));
    return;
  }
  if (!FiltersSupported(filters)) return;

  if (length > source.Remaining()) throw ReadError();
  // A view of the data in source, which reading the next token does not move.
  std::string_view data = source.Peek(length);
  source.Move(length);
  if (filters.names.front() == kFlate) data.remove_suffix(TrailingEndOfLine(source, data));

  std::string token;
  ReadToken(source, token);
  if (token != "endstream") return;
  try {
    ApplyFilters(data, filters, dest);
  } catch (const Error&) {
    // Failures leave dest with what was decoded before them.
  }
}

int64_t ApplyFilters(std::string_view data, const FilterChain& filters, MemoryStream& dest) {
  if (filters.names.empty() || !FiltersSupported(filters)) return 0;
  const int64_t before = dest.Position();
  std::string_view input = data;
  // The outputs of the filters before the last, in turn: each reads the other.
  MemoryStream stages[2];
  const size_t last = filters.names.size() - 1;
  for (size_t i = 0; i < last; ++i) {
    MemoryStream& stage = stages[i % 2];
    stage.Clear();
    RunFilter(filters, i, input, stage);
    input = stage.Bytes();
  }
  RunFilter(filters, last, input, dest);
  return dest.Position() - before;
}

}  // namespace lumenquill
