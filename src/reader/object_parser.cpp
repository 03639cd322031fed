#include "reader/object_parser.h"

#include <utility>
#include <vector>

#include "reader/decimal_text.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

// The value of a token that reads as a number: an integer when it is one that fits in 32
// bits, otherwise a real; nothing for any other token.
std::optional<PdfValue> NumberValue(std::string_view token) {
  if (const std::optional<int32_t> integer = ParseDecimal(token)) return PdfValue(*integer);
  if (const std::optional<double> real = DecimalToDouble(token)) return PdfValue(*real);
  return std::nullopt;
}

}  // namespace

bool ObjectParser::AtEnd() const {
  return position_ < 0 || position_ >= static_cast<int64_t>(bytes_.size());
}

std::string_view ObjectParser::NextToken() {
  if (AtEnd()) return {};
  const char* const start = bytes_.data() + position_;
  const char* cursor = start;
  const std::string_view token = ScanToken(cursor, bytes_.data() + bytes_.size());
  position_ += cursor - start;
  return token;
}

void ObjectParser::SkipComment() {
  const int64_t start = position_;
  if (NextToken() != "%") {
    position_ = start;
    return;
  }
  while (!AtEnd() && !IsEndOfLine(static_cast<uint8_t>(bytes_[static_cast<size_t>(position_)]))) {
    ++position_;
  }
  if (!AtEnd()) ++position_;
}

std::optional<std::pair<int32_t, int32_t>> ObjectParser::ReadNumbersBefore(
    std::string_view keyword) {
  const int64_t start = position_;
  const std::optional<int32_t> number = ParseDecimal(NextToken());
  if (number && *number >= 0) {
    const std::optional<int32_t> generation = ParseDecimal(NextToken());
    if (generation && *generation >= 0 && NextToken() == keyword) {
      return std::make_pair(*number, *generation);
    }
  }
  position_ = start;
  return std::nullopt;
}

std::optional<PdfReference> ObjectParser::ReadReference() {
  const auto numbers = ReadNumbersBefore("R");
  if (!numbers) return std::nullopt;
  return PdfReference{numbers->first, numbers->second};
}

std::optional<ObjectParser::ObjectHeader> ObjectParser::ReadObjectHeader() {
  const auto numbers = ReadNumbersBefore("obj");
  if (!numbers) return std::nullopt;
  return ObjectHeader{numbers->first, numbers->second};
}

std::optional<PdfValue> ObjectParser::ReadValue() {
  int64_t values = 0;
  past_bounds_ = false;
  const int64_t start = position_;
  std::optional<PdfValue> value = ReadValueAt(0, values);
  if (past_bounds_) {
    position_ = start;
    return std::nullopt;
  }
  return value;
}

std::optional<PdfValue> ObjectParser::ReadValueAt(int32_t depth, int64_t& values) {
  if (depth > kMaxDepth || ++values > kMaxValues) {
    past_bounds_ = true;
    return std::nullopt;
  }
  for (;;) {
    const int64_t start = position_;
    const std::string_view token = NextToken();
    if (token.empty()) {
      position_ = start;
      return std::nullopt;
    }
    if (token == "%") {
      position_ = start;
      SkipComment();
      continue;
    }
    if (token == "(" || token == "<") {
      const bool dictionary = token == "<" && bytes_.substr(static_cast<size_t>(position_), 1) == "<";
      if (dictionary) {
        ++position_;
        return ReadDictionary(depth, values);
      }
      // The strings are read exactly; one cut off by the end of the bytes is no value.
      ByteView view(bytes_, position_);
      try {
        std::string bytes =
            token == "(" ? ReadLiteralStringBytes(view) : ReadHexStringBytes(view);
        position_ = view.Position();
        return PdfValue(PdfString{std::move(bytes)});
      } catch (const ReadError&) {
        position_ = static_cast<int64_t>(bytes_.size());
        return std::nullopt;
      }
    }
    if (token == "[") return ReadArray(depth, values);
    if (token[0] == '/') return PdfValue(PdfName{std::string(token)});
    if (token == "true" || token == "false") return PdfValue(token == "true");
    if (token == "null") return PdfValue(PdfNull{});
    if (std::optional<PdfValue> number = NumberValue(token)) {
      if (number->Integer() && *number->Integer() >= 0) {
        position_ = start;
        if (const std::optional<PdfReference> reference = ReadReference()) {
          return PdfValue(*reference);
        }
        NextToken();
      }
      return number;
    }
    position_ = start;  // a closing delimiter, "endobj" or another keyword
    return std::nullopt;
  }
}

// Elements up to "]"; the end of the bytes or an "endobj" ends a damaged array with what it
// holds. A token that is no value is passed over.
std::optional<PdfValue> ObjectParser::ReadArray(int32_t depth, int64_t& values) {
  std::vector<PdfValue> elements;
  for (;;) {
    if (std::optional<PdfValue> element = ReadValueAt(depth + 1, values)) {
      elements.push_back(std::move(*element));
      continue;
    }
    if (past_bounds_) return std::nullopt;
    const int64_t start = position_;
    const std::string_view token = NextToken();
    if (token.empty() || token == "]") break;
    if (token == "endobj") {
      position_ = start;
      break;
    }
  }
  return PdfValue(PdfArray(std::move(elements)));
}

// Entries up to ">>"; a damaged dictionary ends as an array does. A token where a key should
// stand is passed over.
std::optional<PdfValue> ObjectParser::ReadDictionary(int32_t depth, int64_t& values) {
  std::vector<PdfDictionary::Entry> entries;
  for (;;) {
    SkipComment();
    const int64_t start = position_;
    const std::string_view token = NextToken();
    if (token.empty()) break;
    if (token == ">") {
      if (bytes_.substr(static_cast<size_t>(position_), 1) == ">") ++position_;
      break;
    }
    if (token == "endobj") {
      position_ = start;
      break;
    }
    if (token[0] != '/') {
      // A stray value: passed over whole, so that no byte of it is taken for a key.
      position_ = start;
      if (!ReadValueAt(depth + 1, values)) {
        if (past_bounds_) return std::nullopt;
        NextToken();
      }
      continue;
    }
    std::string key(token);
    std::optional<PdfValue> value = ReadValueAt(depth + 1, values);
    if (!value) {
      if (past_bounds_) return std::nullopt;
      // A key without a value holds null; a keyword where the value should stand goes with it.
      const int64_t keyword = position_;
      const std::string_view next = NextToken();
      if (next.empty() || next == ">" || next == "]" || next == "endobj") position_ = keyword;
    }
    entries.emplace_back(std::move(key), value ? std::move(*value) : PdfValue(PdfNull{}));
  }
  return PdfValue(PdfDictionary(std::move(entries)));
}

std::optional<PdfValue> ObjectParser::ReadObjectBody(const LengthResolver& length_of) {
  std::optional<PdfValue> value = ReadValue();
  if (!value || !value->Dictionary()) return value;
  const int64_t after_dictionary = position_;
  SkipComment();
  if (NextToken() != "stream") {
    position_ = after_dictionary;
    return value;
  }
  PdfStream stream;
  stream.dictionary = *value->Dictionary();
  stream.keyword_end = position_;
  if (const PdfValue* length = stream.dictionary.Find("/Length")) {
    stream.length = length_of(*length).value_or(0);
  }
  // The end of line after "stream" (two bytes when the first is CR), then the data.
  if (!AtEnd() && bytes_[static_cast<size_t>(position_)] == '\r') ++position_;
  ++position_;
  if (stream.length > 0) position_ += stream.length;
  return PdfValue(std::move(stream));
}

}  // namespace lumenquill
