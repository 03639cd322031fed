#include "reader/pdf_analyst.h"

#include <string>

#include "reader/decimal_text.h"
#include "reader/object_token_scanner.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"

namespace lumenquill {
namespace {

bool StartsWithNonZeroDigit(const std::string& token) {
  return !token.empty() && token[0] >= '1' && token[0] <= '9';
}

}  // namespace

void TPDFAnalyst::Clear() {
  offsets_.clear();
  free_objects_.clear();
  stream_.reset();
  version_.clear();
  file_name_.clear();
  encrypted_ = false;
  error_raised_ = false;
  object_count_ = -1;
  page_count_ = -1;
  root_id_ = -1;
  info_id_ = -1;
  first_page_id_ = -1;
  first_pages_id_ = -1;
  xref_offsets_.clear();
  media_box_ = Rectangle{};
}

void TPDFAnalyst::RaiseError(const std::string& message) {
  if (on_error_) on_error_(*this);
  Clear();
  error_raised_ = true;
  throw LoadError(message);
}

bool TPDFAnalyst::IsValidObjectRef(std::string_view text) const {
  return IsValidObjectNumber(DecimalToInt(text, -1));
}

bool TPDFAnalyst::IsObjectReference(std::string_view token) const {
  return !token.empty() && token[0] >= '1' && token[0] <= '9' && IsValidObjectRef(token);
}

void TPDFAnalyst::CheckObjectNumber(int32_t n) const {
  if (!stream_) throw Error("ストリームが不正です。");
  if (!IsValidObjectNumber(n)) {
    throw IndexError("Indexの指定が不正です。(" + std::to_string(n) + ")");
  }
}

bool TPDFAnalyst::SeekToObject(int32_t n) {
  if (!stream_ || !IsValidObjectNumber(n)) return false;
  const int32_t offset = offsets_[static_cast<size_t>(n)];
  if (offset < 0 || offset >= stream_->Size()) return false;
  stream_->SetPosition(offset);
  return true;
}

void TPDFAnalyst::SeekToExistingObject(int32_t n) {
  if (!SeekToObject(n)) throw ReadError();
}

int32_t TPDFAnalyst::GetObjectSize(int32_t n) {
  CheckObjectNumber(n);
  if (IsFree(n)) return 0;
  PositionGuard guard(*stream_);
  if (!SeekToObject(n)) return 0;
  ObjectTokenScanner scanner(*this, *stream_);
  std::string token;
  while (scanner.Next(token)) {
  }
  return static_cast<int32_t>(stream_->Position() - offsets_[static_cast<size_t>(n)]);
}

std::optional<std::string> TPDFAnalyst::ReadObjectBytes(int32_t n, int32_t size) {
  CheckObjectNumber(n);
  if (IsFree(n) || size <= 0) return std::nullopt;
  PositionGuard guard(*stream_);
  if (!SeekToObject(n)) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  stream_->ReadExact(bytes.data(), size);
  return bytes;
}

std::unique_ptr<MemoryStream> TPDFAnalyst::GetObjectStream(int32_t n) {
  std::optional<std::string> bytes = ReadObjectBytes(n, GetObjectSize(n));
  if (!bytes) throw Error("オブジェクトの取得に失敗しました。");
  // The added LF lets the last token, "endobj", end without running into the end.
  bytes->push_back('\n');
  return std::make_unique<MemoryStream>(std::move(*bytes));
}

int32_t TPDFAnalyst::GetIntegerObject(int32_t n) {
  PositionGuard guard(*stream_);
  if (!SeekToObject(n)) return 0;
  SkipObjectHeader(*stream_);
  std::string token;
  for (;;) {
    ReadToken(*stream_, token);
    if (token == "%") {
      SkipLine(*stream_);
    } else if (StartsWithNonZeroDigit(token)) {
      return DecimalToInt(token, 0);
    } else if (token == "endobj") {
      return 0;
    }
  }
}

int32_t TPDFAnalyst::ReadIntegerValue(ByteStream& stream) {
  PositionGuard guard(stream);
  try {
    std::string first, second, third;
    ReadToken(stream, first);
    ReadToken(stream, second);
    ReadToken(stream, third);
    if (DecimalToInt(second, -1) == -1 || third != "R") return DecimalToInt(first, 0);
    const int32_t n = DecimalToInt(first, -1);
    return IsValidObjectNumber(n) ? GetIntegerObject(n) : 0;
  } catch (const Error&) {
    return 0;
  }
}

namespace {

// Reads an array of references in groups of three tokens ("n g R"), appending each first token
// that names a valid object. Returns true when at least one whole group was read.
bool ReadRefArrayBody(const TPDFAnalyst& reader, ByteStream& stream, StringList& list) {
  bool complete_group = false;
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "]" || token == "endobj") return complete_group;
    if (reader.IsValidObjectRef(token)) list.push_back(token);
    for (int rest = 0; rest < 2; ++rest) {
      ReadToken(stream, token);
      if (token == "]" || token == "endobj") return complete_group;
    }
    complete_group = true;
  }
}

// Reads an array of names up to "]" or "endobj", appending every name. Returns true when one
// was appended.
bool ReadNameArrayBody(ByteStream& stream, StringList& list) {
  bool appended = false;
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "]" || token == "endobj") return appended;
    if (token[0] == '/') {
      list.push_back(token);
      appended = true;
    }
  }
}

}  // namespace

bool TPDFAnalyst::EnterArrayObject(int32_t n) {
  if (!SeekToObject(n)) return false;
  SkipObjectHeader(*stream_);
  std::string token;
  ReadToken(*stream_, token);
  return token == "[";
}

bool TPDFAnalyst::ReadRefArrayObject(int32_t n, StringList& list) {
  PositionGuard guard(*stream_);
  return EnterArrayObject(n) && ReadRefArrayBody(*this, *stream_, list);
}

void TPDFAnalyst::ReadRefList(ByteStream& stream, StringList& list) {
  PositionGuard guard(stream);
  std::string token;
  ReadToken(stream, token);
  if (token == "[") {
    ReadRefArrayBody(*this, stream, list);
  } else if (IsValidObjectRef(token)) {
    if (!ReadRefArrayObject(DecimalToInt(token, -1), list)) list.push_back(token);
  }
}

bool TPDFAnalyst::ReadNameArrayObject(int32_t n, StringList& list) {
  PositionGuard guard(*stream_);
  return EnterArrayObject(n) && ReadNameArrayBody(*stream_, list);
}

void TPDFAnalyst::ReadNameList(ByteStream& stream, StringList& list) {
  PositionGuard guard(stream);
  std::string token;
  ReadToken(stream, token);
  if (token == "[") {
    ReadNameArrayBody(stream, list);
  } else if (token[0] == '/') {
    list.push_back(token);
  } else if (IsObjectReference(token)) {
    ReadNameArrayObject(DecimalToInt(token, -1), list);
  }
}

}  // namespace lumenquill
