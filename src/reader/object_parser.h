#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <utility>

#include "reader/pdf_value.h"

namespace lumenquill {

// Reads PDF values from a run of bytes held in memory (the file, or the decoded data of an
// object stream), from a position of its own: parsers over the same bytes never disturb each
// other. Tokens are those of the program's lexical layer (reader/reading_primitives.h: only
// LF, CR and space are white space).
//
// Nesting and size are bounded: a value nested deeper than kMaxDepth, or one that would hold
// more than kMaxValues values in all, is not read (ReadValue gives nothing), so no file can
// exhaust the stack or the memory through one object.
class ObjectParser final {
 public:
  // The deepest nesting of arrays and dictionaries read.
  static constexpr int32_t kMaxDepth = 256;
  // The most values, nested ones included, that one call of ReadValue builds.
  static constexpr int64_t kMaxValues = int64_t{1} << 21;

  // An object's "n g obj" header.
  struct ObjectHeader {
    int32_t number = 0;
    int32_t generation = 0;
  };

  // Gives the /Length of a stream, whose value may be a reference, as an integer; nothing when
  // it is none.
  using LengthResolver = std::function<std::optional<int32_t>(const PdfValue& length)>;

  explicit ObjectParser(std::string_view bytes, int64_t position = 0)
      : bytes_(bytes), position_(position) {}

  std::string_view Bytes() const { return bytes_; }
  int64_t Position() const { return position_; }
  // Any position may be set; reading outside the bytes finds nothing.
  void SetPosition(int64_t position) { position_ = position; }
  bool AtEnd() const;

  // The next token as ScanToken reads it (a name keeps its slash, "<<" arrives as "<", "<");
  // empty at the end of the bytes or when the last token runs into it.
  std::string_view NextToken();

  // Moves past one comment line when the next token is "%".
  void SkipComment();

  // "n g R" at the position: moves past it and returns it; otherwise nothing, the position
  // unchanged. Both numbers must be non-negative 32-bit integers.
  std::optional<PdfReference> ReadReference();

  // "n g obj" at the position: moves past it and returns it; otherwise nothing, the position
  // unchanged.
  std::optional<ObjectHeader> ReadObjectHeader();

  // One value at the position, comments before it passed over, and moves past it: a
  // reference "n g R" is read as one value. Nothing (the position at the token that stopped
  // it) at the end of the bytes, at a ">", "]" or "endobj" where a value should start, for a
  // keyword other than true, false and null, and past the bounds.
  std::optional<PdfValue> ReadValue();

  // The body of an object whose header has just been read: one value, and when a dictionary
  // is followed by "stream", the stream it begins, its data placed by /Length (given by
  // length_of). The position ends after the value, or after the stream's data.
  std::optional<PdfValue> ReadObjectBody(const LengthResolver& length_of);

 private:
  // "n g keyword" with n and g non-negative 32-bit integers: moves past it and returns n and g;
  // otherwise nothing, the position unchanged.
  std::optional<std::pair<int32_t, int32_t>> ReadNumbersBefore(std::string_view keyword);
  std::optional<PdfValue> ReadValueAt(int32_t depth, int64_t& values);
  std::optional<PdfValue> ReadArray(int32_t depth, int64_t& values);
  std::optional<PdfValue> ReadDictionary(int32_t depth, int64_t& values);

  std::string_view bytes_;
  int64_t position_ = 0;
  // Set when the value being read passed kMaxDepth or kMaxValues: it is then no value at all.
  bool past_bounds_ = false;
};

}  // namespace lumenquill
