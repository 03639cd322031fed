#include "reader/pdf_analyst.h"

#include <limits>
#include <variant>
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


// The file's bytes with the objects written out after them.
class GrowingBytes final : public ByteStream {
 public:
  explicit GrowingBytes(std::string_view bytes) : bytes_(bytes) { Reattach(); }
  void Append(std::string_view bytes) override {
    bytes_.append(bytes);
    Reattach();
  }

 private:
  void Reattach() { Attach(bytes_.data(), static_cast<int64_t>(bytes_.size())); }
  std::string bytes_;
};

}  // namespace

void TPDFAnalyst::Clear() {
  document_.reset();
  stream_.reset();
  offsets_.clear();
  free_objects_.clear();
  file_name_.clear();
  object_count_ = -1;
  error_raised_ = false;
}

void TPDFAnalyst::LoadFromFile(const std::string& file_name) {
  Load([&] { return Document::OpenFile(file_name, {read_newer_formats_}); });
}

void TPDFAnalyst::LoadFromStream(std::unique_ptr<ByteStream> stream, const std::string& name) {
  Load([&] { return Document::OpenStream(std::move(stream), name, {read_newer_formats_}); });
}

void TPDFAnalyst::Load(const std::function<std::unique_ptr<Document>()>& open) {
  Clear();
  needs_newer_formats_ = false;
  try {
    document_ = open();
  } catch (const LoadError& error) {
    needs_newer_formats_ = error.NeedsNewerFormats();
    error_raised_ = true;
    throw;
  }
  needs_newer_formats_ = document_->NeedsNewerFormats();
  file_name_ = document_->FileName();
  const XrefTable& xref = document_->Xref();
  object_count_ = xref.Empty() ? -1 : xref.Size();
  offsets_.assign(static_cast<size_t>(xref.Size()), -1);
  free_objects_.assign(static_cast<size_t>(xref.Size()), false);
  bool packed = false;
  for (int32_t n = 0; n < xref.Size(); ++n) {
    const std::optional<XrefEntry> entry = xref.Find(n);
    if (!entry) continue;
    const auto i = static_cast<size_t>(n);
    if (const auto* free = std::get_if<FreeEntry>(&*entry)) {
      offsets_[i] = free->offset;
      free_objects_[i] = true;
    } else if (const auto* in_file = std::get_if<InFileEntry>(&*entry)) {
      offsets_[i] = in_file->offset;
    } else {
      offsets_[i] = kInObjectStream;
      packed = true;
    }
  }
  if (!packed && !document_->Decrypted()) {
    stream_ = std::make_unique<ByteView>(document_->Bytes());
    return;
  }
  stream_ = std::make_unique<GrowingBytes>(document_->Bytes());
  WriteOutDecryptedObjects();
  WriteOutPackedObjects();
}

void TPDFAnalyst::WriteOutObject(int32_t n, std::string_view body) {
  CheckObjectNumber(n);
  const std::string header = std::to_string(n) + " 0 obj\n";
  constexpr std::string_view kFooter = "\nendobj\n";
  const int64_t offset = stream_->Size();
  if (offset + static_cast<int64_t>(header.size() + body.size() + kFooter.size()) >
      std::numeric_limits<int32_t>::max()) {
    Clear();
    error_raised_ = true;
    throw LoadError("展開したオブジェクトが大きすぎます。");
  }
  stream_->Append(header);
  stream_->Append(body);
  stream_->Append(kFooter);
  offsets_[static_cast<size_t>(n)] = static_cast<int32_t>(offset);
  free_objects_[static_cast<size_t>(n)] = false;
}

void TPDFAnalyst::WriteOutPackedObjects() {
  ObjectResolver& objects = document_->Objects();
  for (int32_t n = 0; n < object_count_; ++n) {
    if (offsets_[static_cast<size_t>(n)] != kInObjectStream) continue;
    if (const std::optional<std::string_view> body = objects.ObjectText(n)) {
      WriteOutObject(n, *body);
    } else {
      free_objects_[static_cast<size_t>(n)] = true;
    }
  }
}

void TPDFAnalyst::GetPageObjects(ObjectNumberList& list) {
  if (!document_) throw std::logic_error("ストリームが不正です。");
  const ObjectNumberList pages = document_->PageObjects();
  list.insert(list.end(), pages.begin(), pages.end());
}

bool TPDFAnalyst::IsValidObjectRef(std::string_view text) const {
  const std::optional<int32_t> n = ParseDecimal(text);
  return n && IsValidObjectNumber(*n);
}

bool TPDFAnalyst::IsObjectReference(std::string_view token) const {
  return !token.empty() && token[0] >= '1' && token[0] <= '9' && IsValidObjectRef(token);
}

void TPDFAnalyst::CheckObjectNumber(int32_t n) const {
  if (!stream_) throw std::logic_error("ストリームが不正です。");
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
