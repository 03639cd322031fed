#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "reader/byte_classes.h"
#include "reader/byte_stream.h"

namespace lumenquill {

// The lexical layer of every reader in the program. Only LF, CR and space are white space; the
// delimiters are those three and % ( ) / < > [ ]. A token is never empty; "<<" arrives as two
// tokens "<", "<"; a name keeps its slash; "(" leaves the string body to SkipLiteralString
// (reader/pdf_strings.h). All raise ReadError at the end of the stream.

// Moves past LF, CR and space; the position ends on the first other byte.
void SkipWhiteSpace(ByteStream& stream);

// Consumes bytes up to and including the first CR or LF (only the CR of a CR LF pair).
void SkipLine(ByteStream& stream);

// The first byte at or after cursor that is no token white space, or end.
inline const char* SkipTokenWhiteSpace(const char* cursor, const char* end) {
  if (cursor != end && *cursor == ' ') ++cursor;  // the usual single space between tokens
  while (cursor != end && IsTokenWhiteSpace(static_cast<uint8_t>(*cursor))) ++cursor;
  return cursor;
}

// How many bytes after a token's first RegularTokenEnd looks at before it checks the bound.
inline constexpr ptrdiff_t kUncheckedTokenBytes = 8;

// The end of a token of regular bytes (a name's slash counts as one) that starts at start: the
// first delimiter after it, which must come before end; else null, as the token runs into end.
inline const char* RegularTokenEnd(const char* start, const char* end) {
  const char* stop = start + 1;
  // Away from the end, the first bytes are looked at without a check of the bound each: nearly
  // every token of a content stream is shorter than that.
  if (end - stop > kUncheckedTokenBytes) {
    for (const char* const checked = stop + kUncheckedTokenBytes; stop != checked; ++stop) {
      if (IsTokenDelimiter(static_cast<uint8_t>(*stop))) return stop;
    }
  }
  while (stop != end && !IsTokenDelimiter(static_cast<uint8_t>(*stop))) ++stop;
  return stop != end ? stop : nullptr;
}

// The token that starts at or after cursor, in the bytes up to end, as a view of them; the
// cursor moves past it. Scans past the white space and to the end of the token; nothing is
// copied. When the bytes end first, or the token runs into their end with no delimiter after
// it, the view is empty and the cursor at the end. Every content stream passes through here
// token by token, so it is inline, works on the bytes directly and raises nothing: a content
// buffer's end is met once per buffer, and an exception there would cost more than the
// buffer's tokens.
inline std::string_view ScanToken(const char*& cursor, const char* end) {
  const char* start = SkipTokenWhiteSpace(cursor, end);
  if (start != end) {
    const auto first = static_cast<uint8_t>(*start);
    // A delimiter is a token of its own; a name is its slash and the bytes up to the next
    // delimiter.
    const char* stop =
        !IsTokenDelimiter(first) || first == '/' ? RegularTokenEnd(start, end) : start + 1;
    if (stop != nullptr) {
      cursor = stop;
      return {start, static_cast<size_t>(stop - start)};
    }
  }
  cursor = end;
  return {};
}

// The next token of the stream as ScanToken reads it: valid while the stream's data is
// unchanged.
inline std::string_view NextTokenOrEnd(ByteStream& stream) {
  const std::string_view rest = stream.Rest();
  const char* cursor = rest.data();
  const std::string_view token = ScanToken(cursor, rest.data() + rest.size());
  stream.Move(cursor - rest.data());
  return token;
}

// Reads the tokens of a stream as NextTokenOrEnd does, from a cursor of its own, for a loop
// that reads many tokens between the calls that hand the stream to other readers: the
// stream's position is set only when asked. Sync() before such a call puts the stream at the
// cursor, and Resume() after it puts the cursor where the call left the stream.
class TokenCursor final {
 public:
  explicit TokenCursor(ByteStream& stream) : stream_(stream) { Resume(); }

  std::string_view NextOrEnd() { return ScanToken(cursor_, end_); }
  // The bytes ahead, for a loop that reads them itself and moves the cursor past what it read;
  // the stream stays as it was.
  const char* Cursor() const { return cursor_; }
  const char* End() const { return end_; }
  void MoveTo(const char* cursor) { cursor_ = cursor; }
  void Sync() const { stream_.SetPosition(origin_ + (cursor_ - begin_)); }
  void Resume() {
    const std::string_view rest = stream_.Rest();
    begin_ = cursor_ = rest.data();
    end_ = rest.data() + rest.size();
    origin_ = stream_.Position();
  }

 private:
  ByteStream& stream_;
  const char* begin_ = nullptr;  // the byte at origin_
  const char* cursor_ = nullptr;
  const char* end_ = nullptr;
  int64_t origin_ = 0;
};

// Whether the token is the word: compared by length first, then by bytes the compiler can
// compare inline, since every operator of a content stream meets a chain of these.
template <size_t N>
bool Is(std::string_view token, const char (&word)[N]) {
  return token.size() == N - 1 && std::memcmp(token.data(), word, N - 1) == 0;
}

// Whether a content token is a number: it starts with a sign, a point or a digit.
inline bool IsNumberToken(std::string_view token) {
  const char c = token[0];
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// As NextTokenOrEnd, but raises ReadError where that gives an empty view.
inline std::string_view NextToken(ByteStream& stream) {
  const std::string_view token = NextTokenOrEnd(stream);
  if (token.empty()) throw ReadError();
  return token;
}

// Reads the next token into token.
void ReadToken(ByteStream& stream, std::string& token);

// Reads the next token that is not a literal string or a comment, passing over those.
void ReadTokenPastStringsAndComments(ByteStream& stream, std::string& token);

}  // namespace lumenquill
