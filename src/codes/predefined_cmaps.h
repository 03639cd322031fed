#pragma once

#include <string>
#include <string_view>

namespace lumenquill {

using CMapConverter = void (*)(std::string_view source, std::string& dest);

// The conversion to extracted text through the named predefined CMap of Adobe-Japan1 that maps
// codes to CIDs (78-H, RKSJ-V, Hankaku, ...), or null if it is not one of them. Codes go to
// CIDs by the CMap, which the text keeps as Identity-H does. A code the CMap does not
// map gives its notdef CID, else CID 0; a lead byte that ends the string is dropped.
CMapConverter PredefinedCMapConverter(std::string_view name);

}  // namespace lumenquill
