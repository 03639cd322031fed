// Opening a document: header, version, end marker, cross-reference sections and trailers,
// catalog, page count, first page and its media box.

#include <set>
#include <string>

#include "reader/decimal_text.h"
#include "reader/file_stream.h"
#include "reader/object_token_scanner.h"
#include "reader/pdf_analyst.h"
#include "reader/pdf_strings.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "reader/xref_stream.h"

namespace lumenquill {
namespace {

// The shortest cross-reference entry: 10 offset digits, 8 bytes up to the type, 1 end of line.
constexpr int64_t kMinXrefEntrySize = 19;

}  // namespace

void TPDFAnalyst::LoadFromFile(const std::string& file_name) {
  Clear();
  needs_newer_formats_ = false;
  auto stream = std::make_unique<FileStream>(file_name);
  file_name_ = file_name;
  AnalyseStream(std::move(stream));
}

void TPDFAnalyst::LoadFromStream(std::unique_ptr<ByteStream> stream, const std::string& name) {
  Clear();
  needs_newer_formats_ = false;
  file_name_ = name;
  AnalyseStream(std::move(stream));
}

void TPDFAnalyst::AnalyseStream(std::unique_ptr<ByteStream> stream) {
  stream_ = std::move(stream);
  stream_->SetPosition(0);
  const std::string_view bytes = stream_->Bytes();

  if (bytes.size() < 5) RaiseError("このファイルは壊れています");
  stream_->Move(5);
  if (bytes.substr(0, 5) != "%PDF-") RaiseError("このファイルはPDFファイルではありません。");
  ReadToken(*stream_, version_);
  if (version_.size() < 3) RaiseError("このファイルはPDFファイルではありません。");
  const char major_minor[] = {version_[0], version_[2]};
  // Versions 1.5 to 2.0 are read only when the reader is told to read newer files.
  const std::optional<int32_t> version = ParseDecimal(std::string_view(major_minor, 2));
  if (!version || *version > (read_newer_formats_ ? 20 : 14)) {
    needs_newer_formats_ = !read_newer_formats_ && version && *version <= 20;
    RaiseError("このファイルは未対応の形式です。");
  }

  // The end marker: the last bytes other than LF, CR and space must be "%%EOF".
  size_t end = bytes.size();
  while (end > 0 && IsTokenWhiteSpace(bytes[end - 1])) --end;
  if (end < 5 || bytes.substr(end - 5, 5) != "%%EOF") RaiseError("%%EOFがありません。");

  // The offset of the newest section is the last word before the end marker.
  size_t word_end = end - 5;
  while (word_end > 0 && IsTokenWhiteSpace(bytes[word_end - 1])) --word_end;
  size_t word_start = word_end;
  while (word_start > 0 && !IsTokenWhiteSpace(bytes[word_start - 1])) --word_start;
  const std::optional<int32_t> xref_offset =
      ParseDecimal(bytes.substr(word_start, word_end - word_start));
  if (!xref_offset) RaiseError("相互参照テーブルの位置を正確に取得できませんでした。");

  ReadXrefSection(*xref_offset);
  DecryptObjects();
  ExpandObjectStreams();
  if (root_id_ == -1) RaiseError("RootIDが正確に取得できませんでした。");
  ReadCatalog();
  if (first_pages_id_ == -1) RaiseError("FirstPagesIDが正確に取得できませんでした。");
  ReadPageCount();
  ReadPages();
}

// Reads the section at offset and then, one after the other, the older sections its trailers
// name with /Prev. The first entry read for an object wins, so the newest one counts. A /Prev
// that leads back to a section already read ends the chain quietly.
//
// Reading newer files, a section may also be a cross-reference stream, and a classic section
// may name one with /XRefStm (a hybrid file): that stream is read right after the section,
// before its /Prev, and the objects the section lists as free yield to its entries, since
// such a section lists the objects of object streams as free for older readers.
void TPDFAnalyst::ReadXrefSection(int32_t offset) {
  std::set<int32_t> sections_read;
  while (offset != -1 && sections_read.insert(offset).second) {
    xref_offsets_.push_back(std::to_string(offset));
    stream_->SetPosition(offset);
    if (stream_->Peek(4) != "xref") {
      const bool xref_stream = HoldsXrefStream(offset);
      if (xref_stream && read_newer_formats_) {
        offset = ReadXrefStream(offset);
        continue;
      }
      needs_newer_formats_ = xref_stream && !read_newer_formats_ && sections_read.size() == 1;
      RaiseError("相互参照テーブルの位置が不正です。");
    }
    stream_->Move(4);
    std::vector<int32_t> freed;
    ReadXrefTable(freed);
    const SectionLinks links = ReadTrailer();
    if (read_newer_formats_ && links.xref_stream != -1 &&
        sections_read.insert(links.xref_stream).second) {
      ReadHybridStream(links.xref_stream, freed);
    }
    offset = links.prev;
  }
}

void TPDFAnalyst::ReadHybridStream(int32_t offset, const std::vector<int32_t>& freed) {
  xref_offsets_.push_back(std::to_string(offset));
  if (!HoldsXrefStream(offset)) RaiseError("相互参照テーブルの位置が不正です。");
  for (const int32_t n : freed) {
    offsets_[static_cast<size_t>(n)] = -1;
    free_objects_[static_cast<size_t>(n)] = false;
  }
  ReadXrefStream(offset);  // its /Prev repeats the classic section's, so it is not followed
  for (const int32_t n : freed) {
    if (offsets_[static_cast<size_t>(n)] != -1) continue;
    offsets_[static_cast<size_t>(n)] = 0;
    free_objects_[static_cast<size_t>(n)] = true;
  }
}

void TPDFAnalyst::ReadXrefTable(std::vector<int32_t>& freed) {
  std::string token;
  for (;;) {
    ReadToken(*stream_, token);
    const std::optional<int32_t> start = ParseDecimal(token);
    if (!start || *start < 0) RaiseError("相互参照テーブルの先頭オブジェクト番号が不正です。");
    ReadToken(*stream_, token);
    const std::optional<int32_t> count = ParseDecimal(token);
    if (!count) RaiseError("相互参照テーブルの項目数が不正です。");
    ReadXrefSubsection(*start, *count, freed);

    const int64_t before_keyword = stream_->Position();
    ReadToken(*stream_, token);
    if (token == "trailer") return;
    stream_->SetPosition(before_keyword);
  }
}

void TPDFAnalyst::ReadXrefSubsection(int32_t start, int32_t count, std::vector<int32_t>& freed) {
  // A count the rest of the file cannot hold, or a table beyond the object limit, is refused
  // before anything is allocated for it.
  if (count < 0 || int64_t{count} * kMinXrefEntrySize > stream_->Remaining() ||
      int64_t{start} + count > kMaxObjectCount) {
    RaiseError("相互参照テーブルの項目数が不正です。");
  }
  GrowObjectTable(start + count);

  SkipWhiteSpace(*stream_);
  char offset_digits[10];
  char generation_and_type[8];
  for (int32_t i = 0; i < count; ++i) {
    stream_->ReadExact(offset_digits, sizeof offset_digits);
    stream_->ReadExact(generation_and_type, sizeof generation_and_type);
    // An entry ends with CR LF, space LF, space CR, or a lone LF or CR.
    const uint8_t end_of_line = stream_->ReadByte();
    if (end_of_line == '\r' || end_of_line == ' ') {
      const uint8_t next = stream_->ReadByte();
      if (next != '\n' && next != '\r') stream_->Move(-1);
    }
    const size_t n = static_cast<size_t>(start + i);
    if (offsets_[n] != -1) continue;
    const std::optional<int32_t> offset =
        ParseDecimal(std::string_view(offset_digits, sizeof offset_digits));
    if (!offset) RaiseError("相互参照テーブルの項目数が不正です。");
    offsets_[n] = *offset;
    if (generation_and_type[7] == 'f') {
      free_objects_[n] = true;
      freed.push_back(start + i);
    }
  }
}

void TPDFAnalyst::GrowObjectTable(int32_t count) {
  if (object_count_ != -1 && count <= object_count_) return;
  object_count_ = count;
  offsets_.resize(static_cast<size_t>(count), -1);
  free_objects_.resize(static_cast<size_t>(count), false);
}

TPDFAnalyst::SectionLinks TPDFAnalyst::ReadTrailer() {
  SkipWhiteSpace(*stream_);
  char opening[2];
  stream_->ReadExact(opening, sizeof opening);
  if (std::string_view(opening, 2) != "<<") RaiseError("trailerが正しくありません。");

  SectionLinks links;
  std::string token;
  for (;;) {
    ReadToken(*stream_, token);
    if (token == "startxref") return links;
    ReadTrailerEntry(token, *stream_, links);
  }
}

void TPDFAnalyst::ReadTrailerEntry(const std::string& key, ByteStream& value, SectionLinks& links) {
  // The value of /Root or /Info: only the newest trailer's counts.
  const auto read_object_id = [this, &value](int32_t& id, const char* failure) {
    std::string token;
    ReadToken(value, token);
    if (id != -1) return;
    const std::optional<int32_t> read = ParseDecimal(token);
    if (!read) RaiseError(failure);
    id = *read;
  };

  std::string token;
  if (key == "/Root") {
    read_object_id(root_id_, "RootIDの取得に失敗しました。");
  } else if (key == "/Info") {
    read_object_id(info_id_, "InfoIDの取得に失敗しました。");
  } else if (key == "/Prev") {
    ReadToken(value, token);
    const std::optional<int32_t> prev = ParseDecimal(token);
    if (!prev) RaiseError("PrevIDの取得に失敗しました。");
    links.prev = *prev;
  } else if (key == "/Encrypt") {
    encrypted_ = true;
    const int32_t n = ReadReference(value);
    if (encrypt_id_ == -1) encrypt_id_ = n;
  } else if (key == "/ID") {
    ReadDocumentId(value);
  } else if (key == "/XRefStm" && read_newer_formats_) {
    ReadToken(value, token);
    const std::optional<int32_t> xref_stream = ParseDecimal(token);
    if (!xref_stream || *xref_stream < 0) RaiseError("相互参照テーブルの位置が不正です。");
    links.xref_stream = *xref_stream;
  }
}

// The first string of the array /ID; only the newest trailer's counts. The array is read to
// its "]", so that no byte of a binary string is taken for a trailer key. A damaged array is
// left to the token loop of ReadTrailer, which finds "startxref" past it.
void TPDFAnalyst::ReadDocumentId(ByteStream& value) {
  const int64_t start = value.Position();
  try {
    std::string token;
    ReadToken(value, token);
    if (token != "[") return;
    bool first = !document_id_read_;
    for (ReadToken(value, token); token != "]"; ReadToken(value, token)) {
      std::string id;
      if (token == "(") {
        id = ReadLiteralStringBytes(value);
      } else if (token == "<") {
        id = ReadHexStringBytes(value);
      } else {
        return;
      }
      if (first) document_id_ = std::move(id);
      first = false;
      document_id_read_ = true;
    }
  } catch (const ReadError&) {
    value.SetPosition(start);
  }
}

void TPDFAnalyst::ReadCatalog() {
  PositionGuard guard(*stream_);
  std::string token;
  if (!SeekToObject(root_id_)) throw ObjectIdError();
  ReadToken(*stream_, token);
  if (token != std::to_string(root_id_)) throw ObjectIdError();

  ObjectTokenScanner scanner(*this, *stream_);
  while (scanner.Next(token)) {
    if (token == "/Pages") {
      ReadToken(*stream_, token);
      first_pages_id_ = ParseDecimal(token).value_or(-1);  // -1: no page tree
    } else if (token == "/Outlines" || token == "/Metadata") {
      ReadToken(*stream_, token);
    }
  }
}

void TPDFAnalyst::ReadPageCount() {
  PositionGuard guard(*stream_);
  CheckPageNode(first_pages_id_);
  std::string token;
  for (;;) {
    ReadToken(*stream_, token);
    if (token == "endobj") return;
    if (token == "%") {
      SkipLine(*stream_);
    } else if (token == "/Count") {
      page_count_ = ReadIntegerValue(*stream_);
    }
  }
}

// A /Count that is missing or wrong would make the default page range miss pages or ask for
// pages that are not there, so the pages found count. A tree that fails to be walked after its
// first page keeps the /Count read: its pages fail when they are listed for the extraction.
void TPDFAnalyst::ReadPages() {
  first_page_id_ = -1;
  page_objects_.clear();
  try {
    WalkPageTree(first_pages_id_, [this](int32_t page) {
      if (first_page_id_ == -1) first_page_id_ = page;
      page_objects_.push_back(page);
      return true;
    });
    page_count_ = static_cast<int32_t>(page_objects_.size());
    page_objects_read_ = true;
  } catch (const Error&) {
    page_objects_.clear();
    if (first_page_id_ == -1) throw;
  }
  if (first_page_id_ == -1) return;
  std::string text;
  FindMediaBox(first_page_id_, text);
  ParseRect(text, media_box_);
}

// The raw text of /MediaBox in node n or in its nearest ancestor that has one. A /Parent chain
// that comes back to a node already looked at ends the search with nothing found.
void TPDFAnalyst::FindMediaBox(int32_t n, std::string& text) {
  text.clear();
  PositionGuard guard(*stream_);
  std::set<int32_t> nodes_seen;
  while (IsValidObjectNumber(n) && nodes_seen.insert(n).second && SeekToObject(n)) {
    int32_t parent = -1;
    ObjectTokenScanner scanner(*this, *stream_);
    std::string token;
    while (scanner.Next(token)) {
      if (token == "/Parent") {
        ReadToken(*stream_, token);
        parent = ParseDecimal(token).value_or(-1);  // -1: no parent
      } else if (token == "/MediaBox") {
        // The value's bytes as they stand, up to and including the first "]".
        uint8_t byte = 0;
        do {
          byte = stream_->ReadByte();
          text.push_back(static_cast<char>(byte));
        } while (byte != ']');
        return;
      }
    }
    n = parent;
  }
}

}  // namespace lumenquill
