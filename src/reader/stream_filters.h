#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "reader/byte_stream.h"
#include "reader/filter_chain.h"
#include "reader/memory_stream.h"

namespace lumenquill {

// Decodes the stream whose "stream" keyword has just been read from source (the position is on
// the end of line after the keyword), appending the result to dest. Decoding failures never
// reach the caller: dest keeps what was decoded before them. Afterwards the position is just
// after the data or, when filters were applied, just after "endstream".
// Raises ReadError only when the filtered data runs past the end of source or no token follows.
void DecodeStream(ByteStream& source, MemoryStream& dest, int32_t length,
                  const FilterChain& filters);

// True when there are at most kMaxFilters names, each "/FlateDecode", "/LZWDecode",
// "/RunLengthDecode", "/ASCIIHexDecode" or "/ASCII85Decode", with one parameters entry each.
bool FiltersSupported(const FilterChain& filters);

// Runs the filters on data, in order, each on the output of the one before. Flate and LZW undo
// the predictor their parameters name on their own output, and LZW follows their /EarlyChange. An
// empty or unsupported chain writes nothing; a filter that raises Error before the last one leaves
// dest as it was, the last one leaves what it decoded before the failure. Returns the number of
// bytes appended to dest.
int64_t ApplyFilters(std::string_view data, const FilterChain& filters, MemoryStream& dest);

// Appends the base-85 data up to "~>" to dest, or nothing when it holds an error. Output past
// kMaxInflatedSize raises Error("ASCII85を正常に展開できませんでした。") after dest has received
// the bound's worth.
void DecodeASCII85(std::string_view bytes, MemoryStream& dest);

}  // namespace lumenquill
