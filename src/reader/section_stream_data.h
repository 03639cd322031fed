#pragma once

#include <string>
#include <string_view>

#include "reader/pdf_dictionary.h"

namespace lumenquill {

class TPDFAnalyst;

// The decoded data of a cross-reference or object stream, from its dictionary and its raw
// bytes, through the filters of its /Filter and /DecodeParms (references followed by reader,
// as far as its table reaches). Raises Error for filters the chain cannot run, for data that
// fails to decode, and for data past kMaxInflatedSize.
std::string DecodeSectionStream(TPDFAnalyst& reader, const TextDictionary& dictionary,
                                std::string_view raw);

}  // namespace lumenquill
