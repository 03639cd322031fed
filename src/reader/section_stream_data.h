#pragma once

#include <string>
#include <string_view>

#include "reader/filter_chain.h"

namespace lumenquill {

// The decoded data of a cross-reference or object stream, from its raw bytes, through its
// filters. Raises Error for filters the chain cannot run, for data that fails to decode, and
// for data past kMaxInflatedSize.
std::string DecodeSectionStream(const FilterChain& filters, std::string_view raw);

}  // namespace lumenquill
