#include "reader/pdf_analyst.h"

#include <limits>
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
  packed_entries_.clear();
  stream_.reset();
  version_.clear();
  file_name_.clear();
  encrypted_ = false;
  decrypted_ = false;
  encrypt_id_ = -1;
  document_id_.clear();
  document_id_read_ = false;
  error_raised_ = false;
  object_count_ = -1;
  page_count_ = -1;
  root_id_ = -1;
  info_id_ = -1;
  first_page_id_ = -1;
  first_pages_id_ = -1;
  page_objects_.clear();
  page_objects_read_ = false;
  xref_offsets_.clear();
  media_box_ = Rectangle{};
}

void TPDFAnalyst::RaiseError(const std::string& message) {
  Clear();
  error_raised_ = true;
  throw LoadError(message);
}

void TPDFAnalyst::AppendObject(int32_t n, std::string_view body) {
  CheckObjectNumber(n);
  const std::string header = std::to_string(n) + " 0 obj\n";
  constexpr std::string_view kFooter = "\nendobj\n";
  const int64_t offset = stream_->Size();
  if (offset + static_cast<int64_t>(header.size() + body.size() + kFooter.size()) >
      std::numeric_limits<int32_t>::max()) {
    RaiseError("展開したオブジェクトが大きすぎます。");
  }
  stream_->Append(header);
  stream_->Append(body);
  stream_->Append(kFooter);
  offsets_[static_cast<size_t>(n)] = static_cast<int32_t>(offset);
  free_objects_[static_cast<size_t>(n)] = false;
}

bool TPDFAnalyst::IsValidObjectRef(std::string_view text) const {
  const std::optional<int32_t> n = ParseDecimal(text);
  return n && IsValidObjectNumber(*n);
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
      return ParseDecimal(token).value_or(0);
    } else if (token == "endobj") {
      return 0;
    }
  }
}

int32_t TPDFAnalyst::ReadReference(ByteStream& stream) const {
  const int64_t start = stream.Position();
  try {
    std::string number, generation, keyword;
    ReadToken(stream, number);
    const std::optional<int32_t> n = ParseDecimal(number);
    if (n && *n >= 0) {
      ReadToken(stream, generation);
      const std::optional<int32_t> generation_number = ParseDecimal(generation);
      if (generation_number && *generation_number >= 0) {
        ReadToken(stream, keyword);
        if (keyword == "R") return *n;
      }
    }
  } catch (const ReadError&) {
  }
  stream.SetPosition(start);
  return -1;
}

int32_t TPDFAnalyst::FollowReferences(ByteStream& stream) {
  int32_t n = ReadReference(stream);
  if (n == -1) return kDirectValue;
  if (!stream_) return kNoValue;
  PositionGuard guard(*stream_);
  for (int32_t followed = 1;; ++followed) {
    if (!IsValidObjectNumber(n) || IsFree(n) || !SeekToObject(n)) return kNoValue;
    int32_t next = -1;
    try {
      SkipObjectHeader(*stream_);
      next = ReadReference(*stream_);
    } catch (const ReadError&) {
      return kNoValue;
    }
    if (next == -1) return n;
    if (followed == kMaxReferenceChain) return kNoValue;
    n = next;
  }
}

void TPDFAnalyst::VisitValue(ByteStream& stream, const std::function<void(ByteStream&)>& read) {
  const int32_t n = FollowReferences(stream);
  if (n == kDirectValue) {
    read(stream);
  } else if (n != kNoValue) {
    PositionGuard guard(*stream_);
    SeekToObject(n);
    SkipObjectHeader(*stream_);
    read(*stream_);
  }
}

void TPDFAnalyst::ReadResolvedToken(ByteStream& stream, std::string& token) {
  VisitValue(stream, [&token](ByteStream& value) { ReadToken(value, token); });
}

int32_t TPDFAnalyst::ReadIntegerValue(ByteStream& stream) {
  PositionGuard guard(stream);
  try {
    const int32_t n = FollowReferences(stream);
    if (n == kNoValue) return 0;
    if (n != kDirectValue) return GetIntegerObject(n);
    std::string token;
    ReadToken(stream, token);
    return ParseDecimal(token).value_or(0);
  } catch (const Error&) {
    return 0;
  }
}

namespace {

// Reads an array of references in groups of three tokens ("n g R"), appending each first token
// that names a valid object. Returns true when at least one whole group was read.
bool ReadRefArrayBody(const TPDFAnalyst& reader, ByteStream& stream, ObjectNumberList& list) {
  bool complete_group = false;
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "]" || token == "endobj") return complete_group;
    const std::optional<int32_t> n = ParseDecimal(token);
    if (n && reader.IsValidObjectNumber(*n)) list.push_back(*n);
    for (int rest = 0; rest < 2; ++rest) {
      ReadToken(stream, token);
      if (token == "]" || token == "endobj") return complete_group;
    }
    complete_group = true;
  }
}

// Reads an array of names up to "]" or "endobj", appending every name.
void ReadNameArrayBody(ByteStream& stream, StringList& list) {
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "]" || token == "endobj") return;
    if (token[0] == '/') list.push_back(token);
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

bool TPDFAnalyst::ReadRefArrayObject(int32_t n, ObjectNumberList& list) {
  PositionGuard guard(*stream_);
  return EnterArrayObject(n) && ReadRefArrayBody(*this, *stream_, list);
}

// A referenced object that holds no array is itself the one member of the list.
void TPDFAnalyst::ReadRefList(ByteStream& stream, ObjectNumberList& list) {
  PositionGuard guard(stream);
  const int32_t n = FollowReferences(stream);
  if (n == kDirectValue) {
    std::string token;
    ReadToken(stream, token);
    if (token == "[") ReadRefArrayBody(*this, stream, list);
  } else if (n != kNoValue && !ReadRefArrayObject(n, list)) {
    list.push_back(n);
  }
}

void TPDFAnalyst::ReadNameList(ByteStream& stream, StringList& list) {
  PositionGuard guard(stream);
  VisitValue(stream, [&list](ByteStream& value) {
    std::string token;
    ReadToken(value, token);
    if (token == "[") {
      ReadNameArrayBody(value, list);
    } else if (token[0] == '/') {
      list.push_back(token);
    }
  });
}

}  // namespace lumenquill
