#pragma once

#include <span>
#include <string_view>

#include "codes/code_range.h"

namespace lumenquill {

// The code to CID mappings of one predefined CMap, as generated code tables.
struct CMapTable {
  std::string_view name;
  // The index of the CMap whose mappings this one extends (its usecmap), or -1.
  int base;
  // The bytes that begin a two-byte code ({first, last, 2}); every other byte is a code alone.
  std::span<const CodeRange> lead_bytes;
  // One-byte codes whose range gives them one CID unless a mapping below gives another.
  std::span<const CodeRange> notdef;
  // One-byte and two-byte codes first..last to consecutive CIDs from result.
  std::span<const CodeRange> one_byte;
  std::span<const CodeRange> two_byte;
};

}  // namespace lumenquill
