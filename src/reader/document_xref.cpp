// The cross-reference sections of a document and their trailers: classic sections, and in the
// newer formats cross-reference streams and the hybrid files that use both.

#include <map>
#include <set>
#include <string>

#include "reader/decimal_text.h"
#include "reader/document.h"
#include "reader/object_parser.h"
#include "reader/reading_primitives.h"
#include "reader/section_stream_data.h"
#include "reader/xref_stream.h"

namespace lumenquill {
namespace {

// The shortest cross-reference entry: 10 offset digits, 8 bytes up to the type, 1 end of line.
constexpr int64_t kMinXrefEntrySize = 19;

// A stream object up to its data: "n g obj", its dictionary, "stream" (comments and literal
// strings before it passed over) and its end of line.
struct StreamObjectHeader {
  int32_t number = 0;
  PdfDictionary dictionary;
  int64_t data_start = 0;
};

std::optional<StreamObjectHeader> ReadStreamObjectHeader(std::string_view bytes, int64_t offset) {
  ObjectParser parser(bytes, offset);
  const std::optional<ObjectParser::ObjectHeader> header = parser.ReadObjectHeader();
  if (!header) return std::nullopt;
  const std::optional<PdfValue> value = parser.ReadValue();
  if (!value || !value->Dictionary()) return std::nullopt;
  ByteView in(bytes, parser.Position());
  try {
    std::string keyword;
    ReadTokenPastStringsAndComments(in, keyword);
    if (keyword != "stream") return std::nullopt;
    if (in.ReadByte() == '\r') in.ReadByte();
  } catch (const ReadError&) {
    return std::nullopt;
  }
  return StreamObjectHeader{header->number, *value->Dictionary(), in.Position()};
}

// The object number or offset a value gives: an integer, or the number of a reference.
std::optional<int32_t> IntegerOrReferenceNumber(const PdfValue& value) {
  if (const PdfReference* reference = value.Reference()) return reference->number;
  return value.Integer();
}

}  // namespace

// Reads the section at offset and then, one after the other, the older sections its trailers
// name with /Prev. The first entry read for an object wins, so the newest one counts. A /Prev
// that leads back to a section already read ends the chain quietly.
//
// Reading newer files, a section may also be a cross-reference stream, and a classic section
// may name one with /XRefStm (a hybrid file): that stream is read right after the section,
// before its /Prev, and the objects the section lists as free yield to its entries, since
// such a section lists the objects of object streams as free for older readers.
void Document::ReadXrefSections(int32_t offset) {
  const bool newer = options_.read_newer_formats;
  std::set<int32_t> sections_read;
  std::optional<int32_t> next = offset;
  while (next && *next != -1 && sections_read.insert(*next).second) {
    offset = *next;
    xref_offsets_.push_back(std::to_string(offset));
    ByteView in(stream_->Bytes(), offset);
    if (in.Peek(4) != "xref") {
      const bool xref_stream = HoldsXrefStream(offset);
      if (xref_stream && newer) {
        next = ReadXrefStream(offset);
        continue;
      }
      Fail("相互参照テーブルの位置が不正です。",
           xref_stream && !newer && sections_read.size() == 1);
    }
    in.Move(4);
    std::vector<int32_t> freed;
    ReadXrefTable(in, freed);
    const SectionLinks links = ReadTrailer(in);
    if (newer && links.xref_stream && sections_read.insert(*links.xref_stream).second) {
      ReadHybridStream(*links.xref_stream, freed);
    }
    next = links.prev;
  }
}

void Document::ReadXrefTable(ByteView& in, std::vector<int32_t>& freed) {
  std::string token;
  for (;;) {
    ReadToken(in, token);
    const std::optional<int32_t> start = ParseDecimal(token);
    if (!start || *start < 0) Fail("相互参照テーブルの先頭オブジェクト番号が不正です。");
    ReadToken(in, token);
    const std::optional<int32_t> count = ParseDecimal(token);
    if (!count) Fail("相互参照テーブルの項目数が不正です。");
    ReadXrefSubsection(in, *start, *count, freed);

    const int64_t before_keyword = in.Position();
    ReadToken(in, token);
    if (token == "trailer") return;
    in.SetPosition(before_keyword);
  }
}

void Document::ReadXrefSubsection(ByteView& in, int32_t start, int32_t count,
                                  std::vector<int32_t>& freed) {
  // A count the rest of the file cannot hold, or a table beyond the object limit, is refused
  // before anything is allocated for it.
  if (count < 0 || int64_t{count} * kMinXrefEntrySize > in.Remaining() ||
      int64_t{start} + count > kMaxObjectCount) {
    Fail("相互参照テーブルの項目数が不正です。");
  }
  GrowXref(start + count);

  SkipWhiteSpace(in);
  char offset_digits[10];
  char generation_and_type[8];
  for (int32_t i = 0; i < count; ++i) {
    in.ReadExact(offset_digits, sizeof offset_digits);
    in.ReadExact(generation_and_type, sizeof generation_and_type);
    // An entry ends with CR LF, space LF, space CR, or a lone LF or CR.
    const uint8_t end_of_line = in.ReadByte();
    if (end_of_line == '\r' || end_of_line == ' ') {
      const uint8_t next = in.ReadByte();
      if (next != '\n' && next != '\r') in.Move(-1);
    }
    const int32_t n = start + i;
    if (xref_.Find(n)) continue;
    const std::optional<int32_t> offset =
        ParseDecimal(std::string_view(offset_digits, sizeof offset_digits));
    if (!offset) Fail("相互参照テーブルの項目数が不正です。");
    if (generation_and_type[7] == 'f') {
      xref_.SetIfUnlisted(n, FreeEntry{*offset});
      freed.push_back(n);
    } else {
      xref_.SetIfUnlisted(n, InFileEntry{*offset});
    }
  }
}

void Document::GrowXref(int32_t size) { xref_.Grow(size); }

// One trailer: "<<" must follow; its entries count, and the section ends at "startxref".
Document::SectionLinks Document::ReadTrailer(ByteView& in) {
  SkipWhiteSpace(in);
  if (in.Peek(2).size() < 2) throw ReadError();
  if (in.Peek(2) != "<<") Fail("trailerが正しくありません。");
  const std::string_view bytes = stream_->Bytes();
  const size_t end = bytes.find("startxref", static_cast<size_t>(in.Position()));
  if (end == std::string_view::npos) throw ReadError();
  // The dictionary is read no further than "startxref", which ends the section whatever
  // stands before it.
  ObjectParser parser(bytes.substr(0, end), in.Position());
  SectionLinks links;
  if (const std::optional<PdfValue> trailer = parser.ReadValue()) {
    if (const PdfDictionary* dictionary = trailer->Dictionary()) {
      for (const auto& [key, value] : *dictionary) ReadTrailerEntry(key, value, links);
    }
  }
  in.SetPosition(static_cast<int64_t>(end + std::string_view("startxref").size()));
  return links;
}

// The entries of classic trailers and cross-reference stream dictionaries alike: /Root,
// /Info, /Encrypt and /ID count from the newest trailer that has them; /Prev and /XRefStm go
// to links. Other keys are left alone.
void Document::ReadTrailerEntry(std::string_view key, const PdfValue& value,
                                SectionLinks& links) {
  const auto read_object_number = [this, &value](std::optional<int32_t>& number,
                                                 const char* failure) {
    if (number) return;
    number = IntegerOrReferenceNumber(value);
    if (!number) Fail(failure);
  };
  if (key == "/Root") {
    read_object_number(root_number_, "RootIDの取得に失敗しました。");
  } else if (key == "/Info") {
    read_object_number(info_number_, "InfoIDの取得に失敗しました。");
  } else if (key == "/Prev") {
    links.prev = IntegerOrReferenceNumber(value);
    if (!links.prev) Fail("PrevIDの取得に失敗しました。");
  } else if (key == "/Encrypt") {
    encrypted_ = true;
    const PdfReference* reference = value.Reference();
    if (!encrypt_number_ && reference) encrypt_number_ = reference->number;
  } else if (key == "/ID") {
    // The first string of the array, from the newest trailer that has one.
    const PdfArray* id = value.Array();
    if (!id || id->empty() || document_id_read_) return;
    if (const PdfString* first = (*id)[0].String()) {
      document_id_ = first->bytes;
      document_id_read_ = true;
    }
  } else if (key == "/XRefStm" && options_.read_newer_formats) {
    links.xref_stream = IntegerOrReferenceNumber(value);
    if (!links.xref_stream || *links.xref_stream < 0) Fail("相互参照テーブルの位置が不正です。");
  }
}

void Document::ReadHybridStream(int32_t offset, const std::vector<int32_t>& freed) {
  xref_offsets_.push_back(std::to_string(offset));
  if (!HoldsXrefStream(offset)) Fail("相互参照テーブルの位置が不正です。");
  for (const int32_t n : freed) xref_.Unlist(n);
  ReadXrefStream(offset);  // its /Prev repeats the classic section's, so it is not followed
  for (const int32_t n : freed) xref_.SetIfUnlisted(n, FreeEntry{0});
}

// Reads the cross-reference stream at offset (HoldsXrefStream checked) into the table;
// returns its /Prev. Any fault of the stream raises LoadError with the fault's message.
std::optional<int32_t> Document::ReadXrefStream(int32_t offset) {
  SectionLinks links;
  try {
    const std::string_view bytes = stream_->Bytes();
    const std::optional<StreamObjectHeader> header = ReadStreamObjectHeader(bytes, offset);
    if (!header) throw ReadError();
    const PdfDictionary& dictionary = header->dictionary;
    const XrefStreamLayout layout = ReadXrefStreamLayout(dictionary);
    // The length is written directly: no table yet exists to follow a reference with.
    const PdfValue* length_value = dictionary.Find("/Length");
    const int32_t length = length_value ? length_value->Integer().value_or(-1) : -1;
    if (length < 0 || length > static_cast<int64_t>(bytes.size()) - header->data_start) {
      Fail("ストリームの長さが不正です。");
    }
    const std::string_view raw =
        bytes.substr(static_cast<size_t>(header->data_start), static_cast<size_t>(length));
    // The filters' references are followed as far as the table read so far reaches.
    ObjectResolver objects_so_far(bytes, xref_);
    const std::string data = DecodeSectionStream(objects_so_far.StreamFilters(dictionary), raw);

    // The table grows entry by entry, so only after the data proved long enough for them.
    ForEachXrefStreamEntry(layout, data, [this](const XrefStreamEntry& entry) {
      xref_.Grow(entry.number + 1);
      switch (entry.type) {
        case 1:
          xref_.SetIfUnlisted(entry.number, InFileEntry{entry.location});
          break;
        case 2:
          xref_.SetIfUnlisted(entry.number, InObjectStreamEntry{entry.location, entry.index});
          break;
        default:
          xref_.SetIfUnlisted(entry.number, FreeEntry{0});
      }
    });
    // The entries in the order of their keys, the first of a key written twice.
    std::map<std::string_view, const PdfValue*> entries;
    for (const auto& [key, value] : dictionary) entries.emplace(key, &value);
    for (const auto& [key, value] : entries) ReadTrailerEntry(key, *value, links);
  } catch (const LoadError&) {
    throw;
  } catch (const Error& error) {
    Fail(error.what());
  }
  return links.prev;
}

bool Document::HoldsXrefStream(int32_t offset) const {
  const std::optional<StreamObjectHeader> header =
      ReadStreamObjectHeader(stream_->Bytes(), offset);
  if (!header) return false;
  const PdfValue* type = header->dictionary.Find("/Type");
  return type && type->Name() == "/XRef";
}

}  // namespace lumenquill
