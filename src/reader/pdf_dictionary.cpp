#include "reader/pdf_dictionary.h"

#include "reader/decimal_text.h"
#include "reader/memory_stream.h"
#include "reader/object_token_scanner.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

constexpr const char* kNotADictionary = "辞書が不正です。";

// The tokens of a value's bytes; a final space lets the last token end.
std::vector<std::string> Tokens(std::string_view value) {
  MemoryStream stream = ValueStream(value);
  std::vector<std::string> tokens;
  std::string token;
  for (;;) {
    // SkipWhiteSpace would raise at the end, where a value's last blank leads.
    while (!stream.AtEnd() && IsTokenWhiteSpace(static_cast<uint8_t>(stream.Peek(1)[0]))) {
      stream.Move(1);
    }
    if (stream.AtEnd()) return tokens;
    ReadToken(stream, token);
    tokens.push_back(token);
  }
}

bool IsBlankValue(std::string_view value) {
  return value.find_first_not_of("\r\n ") == std::string_view::npos;
}

// After a value's first token: when it began "n g R", moves past "g R" too.
void SkipReferenceRest(ByteStream& stream) {
  const int64_t after_value = stream.Position();
  std::string generation, keyword;
  ReadToken(stream, generation);
  if (ParseDecimal(generation)) {
    ReadToken(stream, keyword);
    if (keyword == "R") return;
  }
  stream.SetPosition(after_value);
}

}  // namespace

MemoryStream ValueStream(std::string_view value) {
  std::string bytes(value);
  bytes.push_back(' ');
  return MemoryStream(std::move(bytes));
}

TextDictionary ReadDictionary(ByteStream& stream) {
  std::string token;
  ReadToken(stream, token);
  if (token != "<" || stream.Peek(1) != "<") throw LoadError(kNotADictionary);
  stream.Move(1);

  TextDictionary dictionary;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == ">" && stream.Peek(1) == ">") {
      stream.Move(1);
      return dictionary;
    }
    if (token[0] != '/') throw LoadError(kNotADictionary);
    SkipWhiteSpace(stream);
    const int64_t start = stream.Position();
    SkipValue(stream);
    SkipReferenceRest(stream);
    const std::string_view value = stream.Bytes().substr(
        static_cast<size_t>(start), static_cast<size_t>(stream.Position() - start));
    dictionary.emplace(token, value);
  }
}

TextDictionary DictionaryValue(std::string_view value) {
  if (IsBlankValue(value)) return {};
  MemoryStream stream{std::string(value)};
  try {
    return ReadDictionary(stream);
  } catch (const Error&) {
    return {};
  }
}

std::optional<int32_t> IntegerEntry(const TextDictionary& dictionary, std::string_view key) {
  const auto entry = dictionary.find(key);
  if (entry == dictionary.end() || IsBlankValue(entry->second)) return std::nullopt;
  const std::vector<std::string> tokens = Tokens(entry->second);
  if (tokens.size() != 1) return std::nullopt;
  return ParseDecimal(tokens[0]);
}

std::string NameValue(std::string_view value) {
  if (IsBlankValue(value)) return "";
  const std::vector<std::string> tokens = Tokens(value);
  return tokens.size() == 1 && tokens[0][0] == '/' ? tokens[0] : "";
}

std::string NameEntry(const TextDictionary& dictionary, std::string_view key) {
  const auto entry = dictionary.find(key);
  return entry == dictionary.end() ? "" : NameValue(entry->second);
}

std::optional<std::vector<int32_t>> IntegerArray(std::string_view value) {
  if (IsBlankValue(value)) return std::nullopt;
  const std::vector<std::string> tokens = Tokens(value);
  if (tokens.size() < 2 || tokens.front() != "[" || tokens.back() != "]") return std::nullopt;
  std::vector<int32_t> integers;
  for (size_t i = 1; i + 1 < tokens.size(); ++i) {
    const std::optional<int32_t> integer = ParseDecimal(tokens[i]);
    if (!integer) return std::nullopt;
    integers.push_back(*integer);
  }
  return integers;
}

StreamObjectHeader ReadStreamObjectHeader(ByteStream& stream) {
  constexpr const char* kNotAStreamObject = "ストリームオブジェクトが不正です。";
  std::string number, generation, keyword;
  ReadToken(stream, number);
  ReadToken(stream, generation);
  ReadToken(stream, keyword);
  StreamObjectHeader header;
  const std::optional<int32_t> object_number = ParseDecimal(number);
  const std::optional<int32_t> generation_number = ParseDecimal(generation);
  if (!object_number || *object_number < 0 || !generation_number || *generation_number < 0 ||
      keyword != "obj") {
    throw LoadError(kNotAStreamObject);
  }
  header.number = *object_number;
  header.dictionary = ReadDictionary(stream);
  ReadTokenPastStringsAndComments(stream, keyword);
  if (keyword != "stream") throw LoadError(kNotAStreamObject);
  SkipStreamData(stream, 0);
  return header;
}

}  // namespace lumenquill
