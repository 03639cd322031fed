#include "reader/pdf_strings.h"

#include <cstdint>
#include <cstring>

#include "reader/byte_classes.h"

namespace lumenquill {
namespace {

// Passes over an LF that follows a CR just read.
const char* SkipLineFeedAfterCarriageReturn(const char* cursor, const char* end) {
  return cursor != end && *cursor == '\n' ? cursor + 1 : cursor;
}

// From just after "<": the text up to ">" (consumed), or to the end of the stream (then
// consumed too, and closed says so).
std::string_view HexStringBody(ByteStream& source, bool& closed) {
  const std::string_view rest = source.Rest();
  const size_t close = rest.find('>');
  closed = close != std::string_view::npos;
  source.Move(static_cast<int64_t>(closed ? close + 1 : rest.size()));
  return rest.substr(0, close);
}

// The bytes of the hexadecimal digits of text taken in pairs, other bytes passed over, appended
// to dest; odd says what becomes of a last digit without a partner.
void AppendHexPairs(std::string_view text, OddHexDigit odd, std::string& dest) {
  int high = -1;  // a digit waiting for its partner
  for (const char byte : text) {
    const int value = HexDigitValue(static_cast<uint8_t>(byte));
    if (value < 0) continue;
    if (high < 0) {
      high = value;
    } else {
      dest.push_back(static_cast<char>(high << 4 | value));
      high = -1;
    }
  }
  if (high >= 0 && odd == OddHexDigit::kFollowedByZero)
    dest.push_back(static_cast<char>(high << 4));
}

enum class LiteralSyntax { kExtraction, kExact };

// The bytes a literal string walk must look at one by one: the closing parenthesis and the
// escape; when exact, also the opening parenthesis (counted) and CR (made LF).
bool NeedsLook(char byte, LiteralSyntax syntax) {
  if (byte == ')' || byte == '\\') return true;
  return syntax == LiteralSyntax::kExact && (byte == '(' || byte == '\r');
}

// The one walk through a literal string, over the bytes from cursor (just after the "(") to
// end; the decoded bytes go to put, a run of them at a time. Returns where the walk stopped:
// after the closing ")", or at end, when closed is false. It works on the bytes directly: a
// content stream may hold millions of strings, each escape a byte of text. The two syntaxes
// differ as ReadLiteralString and ReadLiteralStringBytes describe.
template <LiteralSyntax syntax, typename Put>
const char* WalkLiteralString(const char* cursor, const char* end, bool& closed, const Put& put) {
  constexpr bool exact = syntax == LiteralSyntax::kExact;
  const auto is_escape_digit = exact ? IsOctalDigit : IsDecimalDigit;
  const auto put_byte = [&put](uint8_t byte) {
    const char c = static_cast<char>(byte);
    put(std::string_view(&c, 1));
  };
  closed = false;
  int64_t depth = 0;  // unescaped "(" still open inside the string; counted only when exact
  // The extraction's string of text is mostly plain runs up to its ")": runs are found with
  // memchr, and the next ")" is searched for again only once the walk has passed it (after an
  // escaped one), so that the searches stay linear in the string's length.
  const auto find_close = [end](const char* from) {
    const void* found = std::memchr(from, ')', static_cast<size_t>(end - from));
    return found != nullptr ? static_cast<const char*>(found) : end;
  };
  const char* next_close = cursor;  // searched for before the first run
  const auto plain_run_end = [&](const char* from) {
    if constexpr (exact) {
      while (from != end && !NeedsLook(*from, syntax)) ++from;
      return from;
    } else {
      // An escape right away, as in a string of octal escapes, or the end needs no search.
      if (from == end || *from == '\\' || *from == ')') return from;
      if (next_close <= from) next_close = find_close(from);
      const void* escape = std::memchr(from, '\\', static_cast<size_t>(next_close - from));
      return escape != nullptr ? static_cast<const char*>(escape) : next_close;
    }
  };
  for (;;) {
    // The bytes up to the next one that needs a look stand for themselves.
    const char* run = cursor;
    cursor = plain_run_end(cursor);
    if (cursor != run) put(std::string_view(run, static_cast<size_t>(cursor - run)));
    if (cursor == end) return cursor;
    const auto byte = static_cast<uint8_t>(*cursor++);
    if (byte == ')') {
      if (depth == 0) {
        closed = true;
        return cursor;
      }
      --depth;
      put_byte(byte);
      continue;
    }
    if (byte == '(') {
      ++depth;
      put_byte(byte);
      continue;
    }
    if (byte == '\r') {
      cursor = SkipLineFeedAfterCarriageReturn(cursor, end);
      put_byte('\n');
      continue;
    }
    if (cursor == end) return cursor;  // a backslash without the byte it escapes
    const auto escaped = static_cast<uint8_t>(*cursor++);
    switch (escaped) {
      case 'n':
        put_byte('\n');
        continue;
      case 'r':
        put_byte('\r');
        continue;
      case 't':
        put_byte('\t');
        continue;
      case 'b':
        put_byte('\b');
        continue;
      case 'f':
        put_byte('\f');
        continue;
      case '\n':
        continue;
      case '\r':
        cursor = SkipLineFeedAfterCarriageReturn(cursor, end);
        continue;
      case '(':
      case ')':
      case '\\':
        put_byte(escaped);
        continue;
      default:
        break;
    }
    if (!is_escape_digit(escaped)) {
      if (exact) put_byte(escaped);  // the extraction drops an unknown escape with its byte
      continue;
    }
    int value = escaped - '0';
    for (int more = 0; more < 2; ++more) {
      // The exact syntax needs the string's end after the digits; the end is found below.
      if (cursor == end || !is_escape_digit(static_cast<uint8_t>(*cursor))) break;
      value = value * 8 + (*cursor++ - '0');
    }
    put_byte(static_cast<uint8_t>(value));  // \400 and above overflow the byte; the rest is dropped
  }
}

// The walk over the rest of a stream, which it moves past what the walk read; when exact, a
// string that runs into the end raises ReadError.
template <LiteralSyntax syntax, typename Put>
void WalkLiteralString(ByteStream& source, const Put& put) {
  const std::string_view rest = source.Rest();
  bool closed = false;
  const char* stop = WalkLiteralString<syntax>(rest.data(), rest.data() + rest.size(), closed, put);
  source.Move(stop - rest.data());
  if (syntax == LiteralSyntax::kExact && !closed) throw ReadError();
}

}  // namespace

std::string HexToBytes(std::string_view text, OddHexDigit odd) {
  std::string bytes;
  bytes.reserve(text.size() / 2 + 1);
  AppendHexPairs(text, odd, bytes);
  return bytes;
}

const char* ReadHexString(const char* cursor, const char* end, std::string& dest) {
  const auto size = static_cast<size_t>(end - cursor);
  const auto* close = static_cast<const char*>(std::memchr(cursor, '>', size));
  AppendHexPairs({cursor, close ? static_cast<size_t>(close - cursor) : size},
                 OddHexDigit::kDropped, dest);
  return close ? close + 1 : end;
}

void ReadHexString(ByteStream& source, std::string& dest) {
  const std::string_view rest = source.Rest();
  source.Move(ReadHexString(rest.data(), rest.data() + rest.size(), dest) - rest.data());
}

std::string ReadHexStringBytes(ByteStream& source) {
  bool closed = false;
  const std::string_view body = HexStringBody(source, closed);
  if (!closed) throw ReadError();
  std::string bytes;
  AppendHexPairs(body, OddHexDigit::kFollowedByZero, bytes);
  return bytes;
}

const char* ReadLiteralString(const char* cursor, const char* end, std::string& dest) {
  bool closed = false;
  return WalkLiteralString<LiteralSyntax::kExtraction>(cursor, end, closed,
                                                       [&dest](std::string_view bytes) {
                                                         if (bytes.size() == 1) {
                                                           dest.push_back(bytes[0]);
                                                         } else {
                                                           dest.append(bytes);
                                                         }
                                                       });
}

void ReadLiteralString(ByteStream& source, std::string& dest) {
  const std::string_view rest = source.Rest();
  source.Move(ReadLiteralString(rest.data(), rest.data() + rest.size(), dest) - rest.data());
}

void SkipLiteralString(ByteStream& source) {
  WalkLiteralString<LiteralSyntax::kExtraction>(source, [](std::string_view) {});
}

std::string ReadLiteralStringBytes(ByteStream& source) {
  std::string bytes;
  WalkLiteralString<LiteralSyntax::kExact>(source,
                                           [&bytes](std::string_view run) { bytes.append(run); });
  return bytes;
}

std::string HexStringText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(bytes.size() * 2 + 2);
  text.push_back('<');
  for (const char byte : bytes) {
    const auto value = static_cast<uint8_t>(byte);
    text.push_back(kDigits[value >> 4]);
    text.push_back(kDigits[value & 0x0F]);
  }
  text.push_back('>');
  return text;
}

}  // namespace lumenquill
