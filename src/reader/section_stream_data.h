#pragma once

#include <string>
#include <string_view>

#include "reader/pdf_dictionary.h"

namespace lumenquill {

// The decoded data of a cross-reference or object stream, from its dictionary and its raw
// bytes: unfiltered, or /FlateDecode with the PNG or TIFF predictor of its /DecodeParms.
// Raises Error for any other filter, for data that fails to decode, and for data past
// kMaxInflatedSize.
std::string DecodeSectionStream(const PdfDictionary& dictionary, std::string_view raw);

}  // namespace lumenquill
