#include "reader/pdf_strings.h"

#include <cstdint>

#include "reader/byte_classes.h"

namespace lumenquill {
namespace {

// Whether a string running into the end of the stream ends there quietly or raises ReadError.
enum class StringEnd { kQuiet, kRequired };

inline bool NextByte(ByteStream& source, StringEnd end, uint8_t& byte) {
  if (end == StringEnd::kQuiet) return source.TryReadByte(byte);
  byte = source.ReadByte();
  return true;
}

// Consumes an LF that follows a CR just read.
void SkipLineFeedAfterCarriageReturn(ByteStream& source) {
  if (source.Peek(1) == "\n") source.Move(1);
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

// The one walk through a literal string; the decoded bytes go to put, a run of them at a time.
// The two syntaxes differ as ReadLiteralString and ReadLiteralStringBytes describe.
template <LiteralSyntax syntax, typename Put>
void WalkLiteralString(ByteStream& source, const Put& put) {
  constexpr bool exact = syntax == LiteralSyntax::kExact;
  constexpr StringEnd end = exact ? StringEnd::kRequired : StringEnd::kQuiet;
  const auto is_escape_digit = exact ? IsOctalDigit : IsDecimalDigit;
  const auto put_byte = [&put](uint8_t byte) {
    const char c = static_cast<char>(byte);
    put(std::string_view(&c, 1));
  };
  int64_t depth = 0;  // unescaped "(" still open inside the string; counted only when exact
  for (;;) {
    // The bytes up to the next one that needs a look stand for themselves.
    const std::string_view rest = source.Rest();
    size_t run = 0;
    while (run < rest.size() && !NeedsLook(rest[run], syntax)) ++run;
    if (run > 0) {
      put(rest.substr(0, run));
      source.Move(static_cast<int64_t>(run));
    }
    uint8_t byte = 0;
    if (!NextByte(source, end, byte)) return;
    if (byte == ')') {
      if (depth == 0) return;
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
      SkipLineFeedAfterCarriageReturn(source);
      put_byte('\n');
      continue;
    }
    uint8_t escaped = 0;  // the byte after the backslash
    if (!NextByte(source, end, escaped)) return;
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
        SkipLineFeedAfterCarriageReturn(source);
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
      if (!NextByte(source, end, byte)) break;
      if (!is_escape_digit(byte)) {
        source.Move(-1);  // the byte that ended the escape is read again as the string's
        break;
      }
      value = value * 8 + (byte - '0');
    }
    put_byte(static_cast<uint8_t>(value));  // \400 and above overflow the byte; the rest is dropped
  }
}

}  // namespace

std::string HexToBytes(std::string_view text, OddHexDigit odd) {
  std::string bytes;
  bytes.reserve(text.size() / 2 + 1);
  AppendHexPairs(text, odd, bytes);
  return bytes;
}

void ReadHexString(ByteStream& source, std::string& dest) {
  bool closed = false;
  AppendHexPairs(HexStringBody(source, closed), OddHexDigit::kDropped, dest);
}

std::string ReadHexStringBytes(ByteStream& source) {
  bool closed = false;
  const std::string_view body = HexStringBody(source, closed);
  if (!closed) throw ReadError();
  std::string bytes;
  AppendHexPairs(body, OddHexDigit::kFollowedByZero, bytes);
  return bytes;
}

void ReadLiteralString(ByteStream& source, std::string& dest) {
  WalkLiteralString<LiteralSyntax::kExtraction>(source, [&dest](std::string_view bytes) {
    if (bytes.size() == 1) {
      dest.push_back(bytes[0]);
    } else {
      dest.append(bytes);
    }
  });
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
