#include "codes/code_tables.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <span>

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
extern const CodeRange kCp932ToUnicode[];
extern const int kCp932ToUnicodeCount;
extern const CodeRange kCidToUnicode[];
extern const int kCidToUnicodeCount;
extern const WideCodeRange kCidToUnicodeBeyondBmp[];
extern const int kCidToUnicodeBeyondBmpCount;
extern const CodeRange kVerticalForms[];
extern const int kVerticalFormsCount;
extern const WideCodeRange kCompatibilityForms[];
extern const int kCompatibilityFormsCount;
extern const CodeRange kVoicedKana[];
extern const int kVoicedKanaCount;
extern const CodeRange kSemiVoicedKana[];
extern const int kSemiVoicedKanaCount;

namespace {

template <typename Result>
using FlatTable = std::array<Result, 0x10000>;

template <typename Result, typename Range>
void Fill(FlatTable<Result>& table, const Range* ranges, int count) {
  for (int i = 0; i < count; ++i) {
    for (uint32_t input = ranges[i].first; input <= ranges[i].last; ++input) {
      table[input] = static_cast<Result>(ranges[i].result + (input - ranges[i].first));
    }
  }
}

template <typename Result>
FlatTable<Result> Flatten(const CodeRange* ranges, int count, Result unknown) {
  FlatTable<Result> table;
  table.fill(unknown);
  Fill(table, ranges, count);
  return table;
}

// Each table is flattened on its first lookup.
template <const CodeRange* kRanges, const int& kCount>
const FlatTable<uint16_t>& Table() {
  static const FlatTable<uint16_t> table = Flatten(kRanges, kCount, kUnknownCharacter);
  return table;
}

template <const CodeRange* kRanges, const int& kCount>
uint16_t Lookup(uint16_t input) {
  return Table<kRanges, kCount>()[input];
}

// The sparse tables are searched: the entry whose range holds the input, if any.
template <typename Range>
char32_t Search(std::span<const Range> ranges, char32_t input, char32_t none) {
  const auto after =
      std::upper_bound(ranges.begin(), ranges.end(), input,
                       [](char32_t c, const Range& range) { return c < range.first; });
  if (after == ranges.begin() || input > std::prev(after)->last) return none;
  return std::prev(after)->result + (input - std::prev(after)->first);
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
const uint16_t* UnicodeToCP932Table() {
  return Table<kUnicodeToCp932, kUnicodeToCp932Count>().data();
}

char32_t CP932ToUnicode(uint16_t code) {
  static const FlatTable<uint16_t> table =
      Flatten(kCp932ToUnicode, kCp932ToUnicodeCount, static_cast<uint16_t>(kNoCharacter));
  return table[code];
}

char32_t AdobeJapan1ToUnicode(uint16_t cid) {
  static const FlatTable<char32_t> table = [] {
    FlatTable<char32_t> flat = Flatten(kCidToUnicode, kCidToUnicodeCount, kNoCharacter);
    Fill(flat, kCidToUnicodeBeyondBmp, kCidToUnicodeBeyondBmpCount);
    return flat;
  }();
  return table[cid];
}

char32_t PresentedCharacter(char32_t c) {
  if (c < 0xFE10 || c > 0xFE4F) return c;
  return Search(std::span(kVerticalForms, kVerticalFormsCount), c, c);
}

char32_t FoldedCompatibilityForm(char32_t c) {
  return Search(std::span(kCompatibilityForms, kCompatibilityFormsCount), c, c);
}

char32_t ComposedWithSoundMark(char32_t kana, char32_t mark) {
  if (mark == 0x3099) return Search(std::span(kVoicedKana, kVoicedKanaCount), kana, kNoCharacter);
  if (mark == 0x309A) {
    return Search(std::span(kSemiVoicedKana, kSemiVoicedKanaCount), kana, kNoCharacter);
  }
  return kNoCharacter;
}

}  // namespace lumenquill
