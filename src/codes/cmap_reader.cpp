#include "codes/cmap_reader.h"

#include <algorithm>
#include <optional>

#include "codes/code_helpers.h"
#include "codes/code_tables.h"
#include "codes/extracted_text.h"
#include "codes/latin_ligatures.h"
#include "codes/unicode_text.h"
#include "reader/byte_classes.h"
#include "reader/decimal_text.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

constexpr int kTableSize = 0x10000;

// The most UTF-16 units of a destination that are kept; real ones hold a few characters.
constexpr size_t kMaxDestinationUnits = 32;

// Destinations of several units kept before those no code names any more are dropped: a
// quarter more than the codes of the table.
constexpr size_t kMaxKeptSequences = kTableSize + kTableSize / 4;

bool IsSurrogate(uint64_t unit) { return unit >= 0xD800 && unit <= 0xDFFF; }

// The character of a destination that is one surrogate pair (eight hexadecimal digits), or
// nothing.
std::optional<char32_t> SurrogatePairCharacter(std::string_view digits) {
  if (digits.size() != 8) return std::nullopt;
  const auto unit = [digits](size_t at) {
    uint32_t value = 0;
    for (size_t k = at; k < at + 4; ++k) {
      value = value << 4 | static_cast<uint32_t>(HexDigitValue(static_cast<uint8_t>(digits[k])));
    }
    return value;
  };
  const uint32_t high = unit(0);
  const uint32_t low = unit(4);
  if (high < 0xD800 || high > 0xDBFF || low < 0xDC00 || low > 0xDFFF) return std::nullopt;
  return 0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00);
}

// The character a destination of ReadCodeValue gives: one beyond the BMP as it is (only a
// surrogate pair gives such a value, with its units as the sequence), any other value modulo
// 2^16 as the table keeps values.
char32_t DestinationCharacter(int32_t value, const std::string& units) {
  if (value > 0xFFFF && !units.empty()) return static_cast<char32_t>(value);
  return static_cast<uint16_t>(value);
}

// How many table entries the ranges of one program may write in all: sixteen times the whole
// table. Real programs write each entry about once; without a bound, a program repeating a
// range over the whole table could take minutes. Past it the reading ends, as for a
// malformed program.
constexpr int64_t kMaxRangeWrites = int64_t{16} * kTableSize;

bool IsSectionEnd(const std::string& token) {
  return token == "endbfchar" || token == "endbfrange" || token == "endcidrange";
}

}  // namespace

CMapReader::CMapReader() : range_writes_left_(kMaxRangeWrites) {
  Page& unmapped = pages_.emplace_back();
  unmapped.values.fill(kUnknownCode);
  WriteTexts();
}

void CMapReader::WriteTexts() {
  std::string text;
  for (Page& page : pages_) {
    for (size_t low = 0; low < page.values.size(); ++low) {
      text.clear();
      if (page.values[low] == kUnknownCode) {
        AppendUnknownCode(text);
      } else {
        AppendUnicodeCharacter(page.values[low], text);
      }
      std::copy(text.begin(), text.end(), page.text[low].begin());
      page.text_size[low] = static_cast<uint8_t>(text.size());
    }
  }
}

CMapReader::Page& CMapReader::WritablePageOf(int32_t code) {
  uint16_t& number = page_numbers_[static_cast<size_t>(code >> 8)];
  if (number == 0) {
    number = static_cast<uint16_t>(pages_.size());
    pages_.push_back(pages_.front());
  }
  return pages_[number];
}

void CMapReader::SetValue(int32_t code, char32_t value) {
  Page& page = WritablePageOf(code);
  const auto low = static_cast<size_t>(code & 0xFF);
  page.values[low] = value;
  page.mapped.set(low);
  page.sequence[low] = 0;
}

uint32_t CMapReader::AddSequence(std::string units, int32_t first_code) {
  // Mappings written again over the same codes leave destinations behind; at most one per
  // code is named, so dropping the others at this size bounds the memory and costs little.
  if (sequences_.size() >= kMaxKeptSequences) DropUnusedSequences();
  sequences_.push_back({std::move(units), static_cast<uint16_t>(first_code)});
  return static_cast<uint32_t>(sequences_.size());
}

void CMapReader::DropUnusedSequences() {
  std::vector<uint32_t> renumbered(sequences_.size() + 1, 0);
  for (const Page& page : pages_) {
    for (const uint32_t number : page.sequence) renumbered[number] = 1;
  }
  size_t kept = 0;
  for (size_t number = 1; number < renumbered.size(); ++number) {
    if (renumbered[number] == 0) continue;
    if (kept != number - 1) sequences_[kept] = std::move(sequences_[number - 1]);
    renumbered[number] = static_cast<uint32_t>(++kept);
  }
  renumbered[0] = 0;
  sequences_.resize(kept);
  for (Page& page : pages_) {
    for (uint32_t& number : page.sequence) number = renumbered[number];
  }
}

uint32_t CMapReader::SequenceOf(int32_t code, char32_t value, std::string units) {
  if (value > 0xFFFF) return 0;  // one character beyond the BMP, which the value holds
  // A ligature of Latin letters is kept as the sequence of its letters, which code page 932 has.
  if (units.empty()) {
    for (const char letter : LatinLigatureLetters(value)) units += {'\0', letter};
  }
  return units.empty() ? 0 : AddSequence(std::move(units), code);
}

void CMapReader::SetDestination(int32_t code, char32_t value, uint32_t sequence_number) {
  SetValue(code, value);
  WritablePageOf(code).sequence[static_cast<size_t>(code & 0xFF)] = sequence_number;
}

void CMapReader::AppendSequence(uint16_t code, std::string& dest) const {
  const Sequence& sequence = sequences_[PageOf(code).sequence[code & 0xFF] - 1];
  // The last unit counts on along a range, modulo 2^16 as the table's values do.
  std::string units = sequence.units;
  const size_t last = units.size() - 2;
  const auto unit = static_cast<uint16_t>(
      (static_cast<uint8_t>(units[last]) << 8 | static_cast<uint8_t>(units[last + 1])) + code -
      sequence.first_code);
  units[last] = static_cast<char>(unit >> 8);
  units[last + 1] = static_cast<char>(unit & 0xFF);
  ConvertUTF16(units, dest);
}

void CMapReader::ReadCMap(ByteStream& stream) {
  std::string token;
  try {
    for (;;) {
      ReadTokenPastStringsAndComments(stream, token);
      if (token == "endcmap") break;
      if (token == "beginbfchar") {
        ReadBfChar(stream);
      } else if (token == "beginbfrange" || token == "begincidrange") {
        ReadRange(stream);
      }
    }
  } catch (const Error&) {
    // The end of the data before "endcmap", or any other fault: keep what was read.
  }
  WriteTexts();
}

void CMapReader::NoteOneByteCode(int32_t code) {
  has_one_byte_codes_ = true;
  min_one_byte_code_ = std::min(min_one_byte_code_, static_cast<uint8_t>(code));
  max_one_byte_code_ = std::max(max_one_byte_code_, static_cast<uint8_t>(code));
}

int32_t CMapReader::ReadHexCode(ByteStream& stream, bool is_source, bool is_destination,
                                std::string* sequence) {
  uint64_t value = 0;
  int digits = 0;
  bool too_large = false;
  std::string all_digits;  // of a destination
  for (;;) {
    const uint8_t byte = stream.ReadByte();
    if (byte == '>') break;
    const int digit = HexDigitValue(byte);
    if (digit < 0) continue;
    if (is_destination && all_digits.size() < kMaxDestinationUnits * 4) {
      all_digits.push_back(static_cast<char>(byte));
    }
    if (is_destination && digits >= 4) continue;
    ++digits;
    value = value << 4 | static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFF) too_large = true;
    if (too_large) value &= 0xFFFFFFFF;  // keeps the shift from overflowing; the code is -1
  }
  if (digits == 0 || too_large) return -1;
  if (sequence != nullptr) *sequence = all_digits.size() > 4 ? HexToBytes(all_digits) : "";
  if (is_source && digits == 2) NoteOneByteCode(static_cast<int32_t>(value));
  if (!is_destination) return static_cast<int32_t>(static_cast<uint32_t>(value));
  if (const std::optional<char32_t> pair = SurrogatePairCharacter(all_digits)) {
    return static_cast<int32_t>(*pair);
  }
  if (IsSurrogate(value)) return static_cast<int32_t>(kReplacementCharacter);
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

int32_t CMapReader::ReadCodeValue(ByteStream& stream, bool is_source, bool is_destination,
                                  std::string* sequence) {
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == "<") return ReadHexCode(stream, is_source, is_destination, sequence);
    if (sequence != nullptr) sequence->clear();
    if (IsDecimalDigit(token[0])) return ParseDecimal(token).value_or(-1);
    if (IsSectionEnd(token)) return -1;
  }
}
void CMapReader::ReadBfChar(ByteStream& stream) {
  std::string token;
  std::string sequence;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == "endbfchar") return;
    int32_t source = -1;
    int32_t value = -1;
    if (token == "<") {
      source = ReadHexCode(stream, true);
      value = ReadCodeValue(stream, false, true, &sequence);
    } else if (IsDecimalDigit(token[0])) {
      // A destination after a decimal source counts as a source for the one-byte range.
      source = ParseDecimal(token).value_or(-1);
      value = ReadCodeValue(stream, true, true, &sequence);
    } else {
      continue;
    }
    if (source >= 0 && value >= 0 && source < kTableSize) {
      const char32_t character = DestinationCharacter(value, sequence);
      SetDestination(source, character, SequenceOf(source, character, std::move(sequence)));
    }
  }
}

void CMapReader::ReadRange(ByteStream& stream) {
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == "endbfrange" || token == "endcidrange") return;
    int32_t low = -1;
    if (token == "<") {
      low = ReadHexCode(stream, true);
    } else if (IsDecimalDigit(token[0])) {
      low = ParseDecimal(token).value_or(-1);
    } else {
      continue;
    }
    const int32_t high = ReadCodeValue(stream, true);

    // The destination: a start value (with all its units when it has several), or an array of
    // one value per code.
    ReadToken(stream, token);
    const bool is_array = token == "[";
    int32_t start = 0;
    std::string sequence;
    if (!is_array) {
      stream.Move(-static_cast<int64_t>(token.size()));
      start = ReadCodeValue(stream, false, true, &sequence);
    }

    const bool valid = low >= 0 && high >= low && start >= 0 && low < kTableSize;
    const int32_t count = valid ? std::min(high, kTableSize - 1) - low + 1 : 0;
    range_writes_left_ -= count;
    if (range_writes_left_ < 0) throw Error("CMap ranges past the bound");
    if (is_array) {
      if (!ReadRangeArray(stream, low, count)) return;
      continue;
    }
    // A surrogate pair counts on as its character while its low surrogate stays one; a range
    // that would carry it past counts on its last unit, as a destination of several units does.
    const char32_t first = DestinationCharacter(start, sequence);
    if (first > 0xFFFF && (first - 0x10000) % 0x400 + static_cast<uint32_t>(count) <= 0x400) {
      for (int32_t i = 0; i < count; ++i) SetValue(low + i, first + static_cast<char32_t>(i));
      continue;
    }
    if (!sequence.empty() && count > 0) {
      // Every code's destination starts with the same unit; its last unit counts on.
      const uint32_t number = AddSequence(std::move(sequence), low);
      for (int32_t i = 0; i < count; ++i) SetDestination(low + i, first, number);
      continue;
    }
    // The table keeps each value modulo 2^16, a value past INT32_MAX as well as one past
    // 0xFFFF; the sum is taken in 64 bits so that a start near INT32_MAX cannot overflow. From
    // U+FFFD, which stands for a lone surrogate, the codes stay at U+FFFD.
    const int32_t step = start == static_cast<int32_t>(kReplacementCharacter) ? 0 : 1;
    for (int32_t i = 0; i < count; ++i) {
      SetValue(low + i, static_cast<uint16_t>(int64_t{start} + int64_t{i} * step));
    }
  }
}

// From just after "[": the elements up to "]" give the count codes from low on, one each; the
// codes past the array's end keep their values. False when the section ends before "]".
bool CMapReader::ReadRangeArray(ByteStream& stream, int32_t low, int32_t count) {
  std::string token;
  std::string sequence;
  for (int64_t i = 0;; ++i) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == "]") return true;
    if (IsSectionEnd(token)) return false;
    int32_t value = -1;
    sequence.clear();
    if (token == "<") {
      value = ReadHexCode(stream, false, true, &sequence);
    } else if (IsDecimalDigit(token[0])) {
      value = ParseDecimal(token).value_or(-1);
    }
    if (value >= 0 && i < count) {
      const char32_t character = DestinationCharacter(value, sequence);
      SetDestination(low + i, character, SequenceOf(low + i, character, std::move(sequence)));
    }
  }
}

size_t CMapReader::MappedCodeCount() const {
  size_t count = 0;
  for (const Page& page : pages_) count += page.mapped.count();
  return count;
}

void ConvertByCMap(const CMapReader* reader, std::string_view source, std::string& dest,
                   CodeBytes code_bytes) {
  if (reader == nullptr) return;
  dest.reserve(dest.size() + source.size());
  ForEachCode(*reader, source, code_bytes,
              [&](uint16_t code, size_t, size_t) { reader->AppendCharacter(code, dest); });
}

}  // namespace lumenquill
