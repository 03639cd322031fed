#include "codes/code_tables.h"

#include <array>

#include "codes/code_range.h"

namespace lumenquill {

// The generated tables (src/codes/tables, made by tools/make_code_tables.py).
extern const CodeRange kCidToSjis[];
extern const int kCidToSjisCount;
extern const CodeRange kEucToCid[];
extern const int kEucToCidCount;
extern const CodeRange kJisToCid[];
extern const int kJisToCidCount;
extern const CodeRange kRksj83pvToCid[];
extern const int kRksj83pvToCidCount;
extern const CodeRange kRksj90pvToCid[];
extern const int kRksj90pvToCidCount;
extern const CodeRange kUnicodeToCp932[];
extern const int kUnicodeToCp932Count;

namespace {

using FlatTable = std::array<uint16_t, 0x10000>;

FlatTable Flatten(const CodeRange* ranges, int count) {
  FlatTable table;
  table.fill(kUnknownCharacter);
  for (int i = 0; i < count; ++i) {
    for (uint32_t input = ranges[i].first; input <= ranges[i].last; ++input) {
      table[input] = static_cast<uint16_t>(ranges[i].result + (input - ranges[i].first));
    }
  }
  return table;
}

// Each table is flattened on its first lookup.
template <const CodeRange* kRanges, const int& kCount>
uint16_t Lookup(uint16_t input) {
  static const FlatTable table = Flatten(kRanges, kCount);
  return table[input];
}

}  // namespace

uint16_t CIDToSJIS(uint16_t cid) { return Lookup<kCidToSjis, kCidToSjisCount>(cid); }
uint16_t EUCToCID(uint16_t code) { return Lookup<kEucToCid, kEucToCidCount>(code); }
uint16_t JISToCID(uint16_t code) { return Lookup<kJisToCid, kJisToCidCount>(code); }
uint16_t RKSJ83pvToCID(uint16_t code) { return Lookup<kRksj83pvToCid, kRksj83pvToCidCount>(code); }
uint16_t RKSJ90pvToCID(uint16_t code) { return Lookup<kRksj90pvToCid, kRksj90pvToCidCount>(code); }
uint16_t UnicodeToCP932(uint16_t unit) {
  return Lookup<kUnicodeToCp932, kUnicodeToCp932Count>(unit);
}

}  // namespace lumenquill
