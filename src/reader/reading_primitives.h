#pragma once

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

// The next token, as a view of the stream's bytes: valid while the stream's data is unchanged.
// Scans past the white space and to the end of the token; nothing is copied. When the stream
// ends first, or the token runs into its end with no delimiter after it, the view is empty and
// the position at the end. Every content stream passes through here token by token, so it is
// inline, works on the bytes directly and raises nothing: a content buffer's end is met once
// per buffer, and an exception there would cost more than the buffer's tokens.
inline std::string_view NextTokenOrEnd(ByteStream& stream) {
  const std::string_view rest = stream.Rest();
  const char* const begin = rest.data();
  const char* const end = begin + rest.size();
  const char* start = begin;
  while (start != end && IsTokenWhiteSpace(static_cast<uint8_t>(*start))) ++start;
  if (start != end) {
    const auto first = static_cast<uint8_t>(*start);
    const char* stop = start + 1;
    bool ended = true;  // a delimiter is a token of its own
    if (!IsTokenDelimiter(first) || first == '/') {
      // A name is its slash and the bytes up to the next delimiter, which must follow it.
      while (stop != end && !IsTokenDelimiter(static_cast<uint8_t>(*stop))) ++stop;
      ended = stop != end;
    }
    if (ended) {
      stream.Move(stop - begin);
      return {start, static_cast<size_t>(stop - start)};
    }
  }
  stream.Move(end - begin);
  return {};
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

// Moves past one value: a dictionary or an array with everything nested in it, a literal or
// hexadecimal string, or a single token; comments before it are passed over. An "endobj" met
// first ends the skip before it, so a damaged value never takes the objects after it with it,
// and a ">" or "]" met where the value should start is left for the caller, whose dictionary
// or array it closes.
void SkipValue(ByteStream& stream);

// From the start of "n g obj", moves to the first token of the object's body, dropping one
// comment line that follows the keyword.
void SkipObjectHeader(ByteStream& stream);

}  // namespace lumenquill
