#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "reader/pdf_value.h"
#include "reader/xref_table.h"

namespace lumenquill {

// How the data of a cross-reference stream is laid out, from its dictionary.
struct XrefStreamLayout {
  int32_t size = 0;                                   // /Size
  std::array<int32_t, 3> widths{};                    // /W: bytes of each field
  std::vector<std::pair<int32_t, int32_t>> sections;  // /Index: first object, count
};

// One entry of a cross-reference stream. Types other than 1 and 2 read as free (type 0).
struct XrefStreamEntry {
  int32_t number = 0;
  int32_t type = 0;
  // The byte offset of the object (type 1) or the number of its object stream (type 2).
  int32_t location = 0;
  // The index of the object within its object stream (type 2).
  int32_t index = 0;
};

// Reads /Size, /W and /Index (default [0 Size]), each written directly. Raises LoadError for a missing or negative
// /Size or one past kMaxObjectCount, a /W other than three widths of 0 to 8 bytes (not all 0),
// and an /Index of odd length or with a subsection outside 0 to kMaxObjectCount.
XrefStreamLayout ReadXrefStreamLayout(const PdfDictionary& dictionary);

// Calls visit for every entry of the decoded data, in order. Raises LoadError, before any
// call, when the data is shorter than the entries need, and, at the entry, for an offset or
// index past 32 bits or an object stream number past kMaxObjectCount.
void ForEachXrefStreamEntry(const XrefStreamLayout& layout, std::string_view data,
                            const std::function<void(const XrefStreamEntry&)>& visit);

}  // namespace lumenquill
