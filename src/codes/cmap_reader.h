#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reader/byte_stream.h"

namespace lumenquill {

// The code table a font's CMap program defines: 65,536 values indexed by character code, every
// one kUnknownCode until a mapping sets it. The table is held as 256 pages of 256 codes, a page
// made only when a mapping writes into it: most programs map a few hundred codes, and a
// document may carry hundreds of them. bfchar and bfrange store Unicode values, cidrange
// stores CIDs; all are later taken alike as Unicode characters. A value is a UTF-16 unit (a
// range counts on modulo 2^16), or the character beyond the BMP that a destination of one
// surrogate pair gives (a range counts on from it while its low surrogate stays one). A
// destination of several characters (a ligature, a character with a variation selector) is
// kept whole, as UTF-16 units, beside the table, whose value for the code is then its first
// unit; a bfrange with such a destination gives each code of the range the whole string, its
// last unit counted on from the range's first code. One string stands for the whole range, so
// a short range line over the whole table costs no more memory than the table itself.
class CMapReader final {
 public:
  CMapReader();

  // Reads the mapping sections of one CMap program from the stream's position up to its
  // "endcmap". A malformed program ends the reading quietly, keeping what was stored.
  void ReadCMap(ByteStream& stream);
  char32_t GetValue(uint16_t code) const { return PageOf(code).values[code & 0xFF]; }
  // Whether a mapping of the program set the code's value.
  bool IsMapped(uint16_t code) const { return PageOf(code).mapped.test(code & 0xFF); }
  // How many codes the mappings set.
  size_t MappedCodeCount() const;
  // The code's text, appended to dest as extracted text: its whole destination when that has
  // several units, an unknown code when nothing maps it, otherwise its value as one character
  // (see AppendUnicodeCharacter). Inline, since strings convert through here code by code.
  void AppendCharacter(uint16_t code, std::string& dest) const {
    const Page& page = PageOf(code);
    const size_t low = code & 0xFF;
    if (page.sequence[low] != 0) {
      AppendSequence(code, dest);
    } else {
      dest.append(page.text[low].data(), page.text_size[low]);
    }
  }

  bool HasOneByteCodes() const { return has_one_byte_codes_; }
  uint8_t MinOneByteCode() const { return min_one_byte_code_; }
  uint8_t MaxOneByteCode() const { return max_one_byte_code_; }

 private:
  // The steps of ReadCMap.
  // From just after "<": the hexadecimal digits up to ">" as one 32-bit number (negative when
  // its top bit is set), -1 without digits or beyond 32 bits. A source code of exactly two
  // digits is a one-byte code. A destination gives its first UTF-16 unit, or U+FFFD when that
  // is a lone surrogate, or the character of a surrogate pair that is the whole destination;
  // with a sequence to fill, a destination of several units also gives them all there as
  // UTF-16 bytes (up to kMaxDestinationUnits), and one of one unit leaves it empty.
  int32_t ReadHexCode(ByteStream& stream, bool is_source, bool is_destination = false,
                      std::string* sequence = nullptr);
  int32_t ReadCodeValue(ByteStream& stream, bool is_source, bool is_destination = false,
                        std::string* sequence = nullptr);
  void ReadBfChar(ByteStream& stream);
  void ReadRange(ByteStream& stream);
  bool ReadRangeArray(ByteStream& stream, int32_t low, int32_t count);
  void NoteOneByteCode(int32_t code);
  void SetValue(int32_t code, char32_t value);
  // Sets the code's value and the number of its destination of several units (0: none).
  void SetDestination(int32_t code, char32_t value, uint32_t sequence_number);
  // Keeps a destination of several units, taken as written by first_code and with its last
  // unit counted on by the codes after it; the number that Page::sequence holds for them.
  uint32_t AddSequence(std::string units, int32_t first_code);
  // Removes the destinations that no code names any more and renumbers the rest.
  void DropUnusedSequences();
  // The number of the destination of one code: its units when it has several characters, or
  // the letters of a Latin ligature value; 0 for a value of one character.
  uint32_t SequenceOf(int32_t code, char32_t value, std::string units);

  // 256 codes sharing their high byte.
  struct Page {
    std::array<char32_t, 256> values;
    // Each value as AppendCharacter writes it (at most four bytes), once the program is read:
    // strings convert code by code, and most codes come back many times.
    std::array<std::array<char, 4>, 256> text;
    std::array<uint8_t, 256> text_size;
    std::bitset<256> mapped;
    // For a code whose destination has several units, 1 + its index in sequences_; else 0.
    std::array<uint32_t, 256> sequence{};
  };

  const Page& PageOf(uint16_t code) const { return pages_[page_numbers_[code >> 8]]; }
  // The code's page, made when no mapping has written into it yet.
  Page& WritablePageOf(int32_t code);
  void WriteTexts();
  void AppendSequence(uint16_t code, std::string& dest) const;

  // Where in pages_ the page of each high byte is; 0, the page of nothing mapped, until a
  // mapping writes into it.
  std::array<uint16_t, 256> page_numbers_{};
  std::vector<Page> pages_;
  // A destination of several UTF-16 units (as bytes) and the code that takes it as written.
  struct Sequence {
    std::string units;
    uint16_t first_code;
  };
  std::vector<Sequence> sequences_;
  bool has_one_byte_codes_ = false;
  uint8_t min_one_byte_code_ = 255;
  uint8_t max_one_byte_code_ = 0;
  int64_t range_writes_left_;
};

// How the bytes of a string make codes: by the reader's one-byte code range, where a byte
// within it is a one-byte code and any other byte starts a two-byte code; or one code per byte.
enum class CodeBytes { kByCMap, kOneEach };

// The codes of a string, each handed to append(code, begin, end) with the place of its bytes in
// the string. A string that ends inside a two-byte code (its second byte missing) ends there:
// the lone byte is not a character and gives nothing.
template <typename AppendCode>
void ForEachCode(const CMapReader& reader, std::string_view source, CodeBytes code_bytes,
                 AppendCode append) {
  if (code_bytes == CodeBytes::kOneEach) {
    for (size_t i = 0; i < source.size(); ++i) append(static_cast<uint8_t>(source[i]), i, i + 1);
    return;
  }
  const bool one_byte_codes = reader.HasOneByteCodes();
  const uint8_t min = reader.MinOneByteCode();
  const uint8_t max = reader.MaxOneByteCode();
  for (size_t i = 0; i < source.size();) {
    const auto byte = static_cast<uint8_t>(source[i]);
    if (one_byte_codes && byte >= min && byte <= max) {
      append(uint16_t{byte}, i, i + 1);
      i += 1;
    } else if (i + 1 < source.size()) {
      append(static_cast<uint16_t>(byte << 8 | static_cast<uint8_t>(source[i + 1])), i, i + 2);
      i += 2;
    } else {
      break;
    }
  }
}

// The string's codes as the reader's table gives them, appended to dest as extracted text (see
// CMapReader::AppendCharacter). Nothing happens without a reader.
void ConvertByCMap(const CMapReader* reader, std::string_view source, std::string& dest,
                   CodeBytes code_bytes = CodeBytes::kByCMap);

// The same, except that the codes the program leaves unmapped go to
// convert_unmapped(codes, dest), a run of consecutive ones at a time: a font whose ToUnicode
// program maps only some of its codes leaves the others to its own encoding, whose conversion
// may split the bytes into codes its own way.
template <typename ConvertUnmapped>
void ConvertByCMap(const CMapReader& reader, std::string_view source, std::string& dest,
                   CodeBytes code_bytes, ConvertUnmapped convert_unmapped) {
  constexpr size_t kNoRun = std::string_view::npos;
  size_t run_begin = kNoRun;  // the run of unmapped codes not converted yet
  size_t run_end = 0;
  ForEachCode(reader, source, code_bytes, [&](uint16_t code, size_t begin, size_t end) {
    if (reader.IsMapped(code)) {
      if (run_begin != kNoRun) {
        convert_unmapped(source.substr(run_begin, run_end - run_begin), dest);
        run_begin = kNoRun;
      }
      reader.AppendCharacter(code, dest);
    } else {
      if (run_begin == kNoRun) run_begin = begin;
      run_end = end;
    }
  });
  if (run_begin != kNoRun) convert_unmapped(source.substr(run_begin, run_end - run_begin), dest);
}

}  // namespace lumenquill
