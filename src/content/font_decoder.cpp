#include "content/font_decoder.h"

#include <bitset>
#include <optional>

#include "codes/code_helpers.h"
#include "codes/glyph_names.h"
#include "codes/truetype_cmap.h"

#include "content/decodable_document.h"
#include "content/font_names.h"
#include "platform/error.h"

namespace lumenquill {
namespace {

// Whether a CMap program has an entry in a section the CMap reader reads (bfchar, bfrange,
// cidrange): a section whose body holds a code, hexadecimal or decimal. Each body is looked at
// once.
bool MapsSomeCode(std::string_view program) {
  size_t at = 0;
  while ((at = program.find("begin", at)) != std::string_view::npos) {
    at += 5;
    const std::string_view section = program.substr(at);
    if (!section.starts_with("bf") && !section.starts_with("cidrange")) continue;
    const size_t end = program.find("end", at);
    if (program.substr(at, end - at).find_first_of("<0123456789") != std::string_view::npos) {
      return true;
    }
    at = end;
  }
  return false;
}

// Reads one font dictionary and what it refers to into a font resource. Each dictionary is read
// entry by entry, in the order written: a key written twice is read twice, the later value
// replacing the earlier one except for /BaseFont, of which the first is kept.
class FontDictionaryReader {
 public:
  FontDictionaryReader(Document& document, FontResource& font)
      : objects_(document.Objects()), xref_(document.Xref()), font_(font) {}

  // The font object or direct dictionary: a dictionary, or a stream whose data is a CMap
  // program.
  void ReadFont(const PdfValue& font);

  // The CMap programs met, the /ToUnicode map first and the others after it in the order met.
  // The CMap reader takes the first program as the map to Unicode, and writers put the keys
  // in any order.
  std::unique_ptr<MemoryStream> TakeCMapPrograms();

  // The character of each code by the base encoding met (the Symbol font's own without one),
  // with the /Differences over it. Called once the font is finished.
  std::shared_ptr<const CodeToUnicode> MakeCodeTable() const;

  // The object of a CIDFontType2 descendant's embedded TrueType program; -1 without one.
  int32_t CIDTrueTypeProgram() const {
    return cid_font_subtype_ == "/CIDFontType2" ? truetype_program_ : -1;
  }

  // The widths of the finished font.
  std::shared_ptr<const FontWidths> MakeWidths() const;

 private:
  enum class Program { kToUnicode, kOther };

  // The name a value resolves to, into target; any other value leaves target as it was.
  void ReadName(const PdfValue& value, std::string& target);
  // The bytes of the string a value resolves to; other values give nothing.
  std::string ReadString(const PdfValue& value);
  void AppendCMapProgram(const PdfStream& stream, Program program);

  void ReadEncoding(const PdfValue& value);
  void ReadEncodingDictionary(const PdfDictionary& encoding);
  void ReadDifferences(const PdfValue& value);
  void ReadToUnicode(const PdfValue& value);
  void ReadFontDescriptor(const PdfValue& value);
  void ReadDescendantFonts(const PdfValue& value);
  void ReadCIDFont(const PdfValue& value);
  void ReadCIDSystemInfo(const PdfValue& value);
  void ReadCIDToGIDMapValue(const PdfValue& value);

  ObjectResolver& objects_;
  const XrefTable& xref_;
  FontResource& font_;
  std::unique_ptr<MemoryStream> to_unicode_programs_;
  std::unique_ptr<MemoryStream> other_programs_;
  std::string base_encoding_;
  CodeToUnicode differences_{};  // fixed in size: a hostile array cannot grow it
  std::bitset<256> differed_;
  std::string cid_font_subtype_;
  int32_t truetype_program_ = -1;  // the object of the descriptor's /FontFile2
  WidthEntries width_entries_;
};

void FontDictionaryReader::ReadName(const PdfValue& value, std::string& target) {
  const PdfValue resolved = objects_.Resolve(value);
  if (const std::optional<std::string_view> name = resolved.Name()) target = *name;
}

std::string FontDictionaryReader::ReadString(const PdfValue& value) {
  const PdfValue resolved = objects_.Resolve(value);
  const PdfString* string = resolved.String();
  return string != nullptr ? string->bytes : std::string();
}

void FontDictionaryReader::AppendCMapProgram(const PdfStream& stream, Program program) {
  std::unique_ptr<MemoryStream>& programs =
      program == Program::kToUnicode ? to_unicode_programs_ : other_programs_;
  if (!programs) programs = std::make_unique<MemoryStream>();
  const ToUnicodeMap earlier_map = font_.to_unicode;
  if (program == Program::kToUnicode) font_.to_unicode = ToUnicodeMap::kProgram;
  const size_t start = static_cast<size_t>(programs->Size());
  programs->Write("\n\n");
  objects_.DecodeStream(stream, *programs);
  // A /ToUnicode that maps no code is taken as none: the font's own encoding gives its codes'
  // characters, where without the map every code would be unknown.
  if (program == Program::kToUnicode && !MapsSomeCode(programs->Bytes().substr(start))) {
    font_.to_unicode = earlier_map;
    programs->Truncate(start);
    if (start == 0) programs.reset();
  }
}

std::unique_ptr<MemoryStream> FontDictionaryReader::TakeCMapPrograms() {
  if (!to_unicode_programs_) return std::move(other_programs_);
  if (other_programs_) to_unicode_programs_->Write(other_programs_->Bytes());
  return std::move(to_unicode_programs_);
}

void FontDictionaryReader::ReadFont(const PdfValue& font) {
  const PdfDictionary* dictionary = font.DictionaryOrStreamDictionary();
  if (dictionary == nullptr) return;
  for (const auto& [key, value] : *dictionary) {
    if (key == "/Encoding") {
      ReadEncoding(value);
    } else if (key == "/FontDescriptor") {
      ReadFontDescriptor(value);
    } else if (key == "/DescendantFonts") {
      ReadDescendantFonts(value);
    } else if (key == "/Subtype") {
      ReadName(value, font_.subtype);
    } else if (key == "/BaseFont") {
      if (font_.font_name == "???") ReadName(value, font_.font_name);
    } else if (key == "/ToUnicode") {
      ReadToUnicode(value);
    } else if (key == "/FirstChar") {
      width_entries_.first_char = value;
    } else if (key == "/Widths") {
      width_entries_.widths = value;
    } else if (key == "/FontMatrix") {
      width_entries_.font_matrix = value;
    }
  }
  if (const PdfStream* stream = font.Stream()) AppendCMapProgram(*stream, Program::kOther);
}

// A name, or a dictionary or embedded CMap stream; any other value is passed over.
void FontDictionaryReader::ReadEncoding(const PdfValue& value) {
  const PdfValue encoding = objects_.Resolve(value);
  if (const std::optional<std::string_view> name = encoding.Name()) {
    font_.encoding = *name;
    base_encoding_ = name->substr(1);
  } else if (const PdfDictionary* dictionary = encoding.DictionaryOrStreamDictionary()) {
    ReadEncodingDictionary(*dictionary);
    if (const PdfStream* stream = encoding.Stream()) AppendCMapProgram(*stream, Program::kOther);
  }
}

void FontDictionaryReader::ReadEncodingDictionary(const PdfDictionary& encoding) {
  for (const auto& [key, value] : encoding) {
    if (key == "/Differences") {
      font_.encoding = kCustomEncoding;
      ReadDifferences(value);
    } else if (key == "/BaseEncoding") {
      if (const std::optional<std::string_view> name = value.Name()) {
        base_encoding_ = name->substr(1);
      }
    } else if (key == "/CMapName") {
      ReadName(value, font_.encoding);
    } else if (key == "/UseCMap" && value.Reference() != nullptr) {
      // A predefined CMap named here is not loaded; one given by reference is read.
      const PdfValue used = objects_.Resolve(value);
      if (const PdfStream* stream = used.Stream()) AppendCMapProgram(*stream, Program::kOther);
    }
  }
}

// An array of codes, each followed by the names of the glyphs from that code on. Names past
// the last code, and names after an element that is neither, are dropped.
void FontDictionaryReader::ReadDifferences(const PdfValue& value) {
  const PdfValue differences = objects_.Resolve(value);
  const PdfArray* elements = differences.Array();
  if (elements == nullptr) return;
  int32_t code = 256;  // 256: names wait for a code
  for (const PdfValue& element : *elements) {
    if (const std::optional<std::string_view> name = element.Name()) {
      if (code >= 0 && code < 256) {
        differences_[code] = GlyphNameToUnicode(DecodeNameEscapes(name->substr(1)));
        differed_.set(code);
        ++code;
      }
    } else {
      code = element.Integer().value_or(256);
    }
  }
}

std::shared_ptr<const CodeToUnicode> FontDictionaryReader::MakeCodeTable() const {
  std::optional<CodeToUnicode> own_codes;
  if (base_encoding_.empty()) own_codes = FontOwnCodes(font_.font_name);
  auto table =
      std::make_shared<CodeToUnicode>(own_codes ? *own_codes : BaseEncodingCodes(base_encoding_));
  for (size_t code = 0; code < differences_.size(); ++code) {
    if (differed_[code]) (*table)[code] = differences_[code];
  }
  return table;
}

// A CMap stream, or the name of the identity map (which Java and printer drivers write).
void FontDictionaryReader::ReadToUnicode(const PdfValue& value) {
  const PdfValue map = objects_.Resolve(value);
  const std::optional<std::string_view> name = map.Name();
  if (name == "/Identity-H" || name == "/Identity-V") {
    font_.to_unicode = ToUnicodeMap::kIdentity;
  } else if (const PdfStream* stream = map.Stream()) {
    AppendCMapProgram(*stream, Program::kToUnicode);
  }
}

// A descriptor that is itself a stream carries the font program; a direct descriptor stands
// for the font object.
void FontDictionaryReader::ReadFontDescriptor(const PdfValue& value) {
  const PdfValue descriptor = objects_.Resolve(value);
  const PdfDictionary* dictionary = descriptor.DictionaryOrStreamDictionary();
  if (dictionary == nullptr) return;
  for (const auto& [key, entry] : *dictionary) {
    if (key == "/FontName") {
      ReadName(entry, font_.font_name);
    } else if (key == "/FontFile" || key == "/FontFile2" || key == "/FontFile3") {
      font_.embedded = true;
      const PdfReference* program = entry.Reference();
      if (program != nullptr && program->number > 0 && xref_.Contains(program->number)) {
        font_.font_file_object = program->number;
        if (key == "/FontFile2") truetype_program_ = program->number;
      }
    } else if (key == "/MissingWidth") {
      width_entries_.missing_width = entry;
    }
  }
  if (descriptor.Stream() != nullptr) {
    font_.embedded = true;
    const PdfReference* reference = value.Reference();
    font_.font_file_object = reference != nullptr
                                 ? objects_.FollowReferences(*reference).value_or(-1)
                                 : font_.object_number;
  }
}

// Only the first descendant font is read: the value is an array of CIDFonts, or the one
// CIDFont itself.
void FontDictionaryReader::ReadDescendantFonts(const PdfValue& value) {
  const PdfValue descendants = objects_.Resolve(value);
  if (const PdfArray* array = descendants.Array()) {
    if (!array->empty()) ReadCIDFont((*array)[0]);
  } else {
    ReadCIDFont(descendants);
  }
}

// The CIDFont's own /BaseFont is not read, and its /Subtype is kept apart: the font keeps the
// top-level ones.
void FontDictionaryReader::ReadCIDFont(const PdfValue& value) {
  const PdfValue cid_font = objects_.Resolve(value);
  const PdfDictionary* dictionary = cid_font.DictionaryOrStreamDictionary();
  if (dictionary == nullptr) return;
  for (const auto& [key, entry] : *dictionary) {
    if (key == "/FontDescriptor") {
      ReadFontDescriptor(entry);
    } else if (key == "/CIDSystemInfo") {
      ReadCIDSystemInfo(entry);
    } else if (key == "/CIDToGIDMap") {
      ReadCIDToGIDMapValue(entry);
    } else if (key == "/Subtype") {
      ReadName(entry, cid_font_subtype_);
    } else if (key == "/DW") {
      width_entries_.dw = entry;
    } else if (key == "/W") {
      width_entries_.w = entry;
    } else if (key == "/DW2") {
      width_entries_.dw2 = entry;
    } else if (key == "/W2") {
      width_entries_.w2 = entry;
    }
  }
}

void FontDictionaryReader::ReadCIDSystemInfo(const PdfValue& value) {
  const PdfValue info = objects_.Resolve(value);
  const PdfDictionary* dictionary = info.DictionaryOrStreamDictionary();
  if (dictionary == nullptr) return;
  for (const auto& [key, entry] : *dictionary) {
    if (key == "/Registry") {
      font_.cid_registry = ReadString(entry);
    } else if (key == "/Ordering") {
      font_.cid_ordering = ReadString(entry);
    }
  }
}

// The name /Identity, the default, or a stream of the glyph of each CID, read when needed.
void FontDictionaryReader::ReadCIDToGIDMapValue(const PdfValue& value) {
  const PdfReference* reference = value.Reference();
  if (reference == nullptr) return;
  const std::optional<int32_t> holder = objects_.FollowReferences(*reference);
  if (!holder) return;
  const PdfValue* map = objects_.Object(*holder);
  if (map != nullptr && map->DictionaryOrStreamDictionary() != nullptr) {
    font_.cid_program.cid_to_gid_map = *holder;
  }
}

std::shared_ptr<const FontWidths> FontDictionaryReader::MakeWidths() const {
  return MakeFontWidths(width_entries_, font_.subtype == "Type0", font_.subtype == "Type3",
                        font_.font_name, font_.codes.get(), objects_);
}

// The finishing rules: the label falls back by Embedded, the name to the resource name;
// slashes go; escapes are decoded, or else the subset tag is removed.
void FinishFont(FontResource& font) {
  if (font.encoding == "???") font.encoding = font.embedded ? kBuiltInEncoding : kStandardEncoding;
  if (font.font_name == "???") font.font_name = font.name;
  font.subtype = RemoveSlashes(font.subtype);
  font.font_name = RemoveSlashes(font.font_name);
  font.encoding = RemoveSlashes(font.encoding);
  if (font.font_name.find('#') != std::string::npos) {
    font.font_name = DecodeNameEscapes(font.font_name);
  } else if (const size_t plus = font.font_name.find('+'); plus != std::string::npos) {
    font.font_name.erase(0, plus + 1);
  }
}

// Reads the font into its resource, recording a failure in it: a font object that cannot be
// read is one.
void DecodeInto(Document& document, FontResource& font, const PdfValue* font_object) {
  if (font_object == nullptr) {
    font.failed = true;
    return;
  }
  FontDictionaryReader reader(document, font);
  try {
    reader.ReadFont(*font_object);
    font.cmap_data = reader.TakeCMapPrograms();
    FinishFont(font);
    if (font.subtype != "Type0") font.codes = reader.MakeCodeTable();
    font.widths = reader.MakeWidths();
    font.cid_program.program = reader.CIDTrueTypeProgram();
  } catch (const Error&) {
    font.cmap_data = reader.TakeCMapPrograms();
    font.failed = true;
  }
}

}  // namespace

FontDecoder::FontDecoder(Document& document) : document_(CheckDecodable(document)) {}

FontResource FontDecoder::DecodeFont(const Resource& resource) {
  FontResource font(resource.name, resource.object_number);
  if (resource.dictionary) {
    font.dictionary = resource.dictionary;
    const PdfValue direct(*resource.dictionary);
    DecodeInto(document_, font, &direct);
  } else {
    // Read once: the caller keeps the font it gives.
    const std::optional<PdfValue> object = document_.Objects().ObjectOnce(resource.object_number);
    DecodeInto(document_, font, object ? &*object : nullptr);
  }
  if (font.HasUnmappedForeignCIDs()) font.glyph_characters = ReadGlyphCharacters(font.cid_program);
  return font;
}

std::shared_ptr<const CIDGlyphCharacters> FontDecoder::ReadGlyphCharacters(
    const CIDProgramObjects& objects) {
  if (objects.program < 0) return nullptr;
  const std::pair<int32_t, int32_t> key{objects.program, objects.cid_to_gid_map};
  if (const auto cached = glyph_characters_.find(key); cached != glyph_characters_.end()) {
    return cached->second;
  }
  if (glyph_characters_.size() == kMaxEmbeddedCmaps) return nullptr;
  std::shared_ptr<const CIDGlyphCharacters> characters;
  try {
    characters = MakeGlyphCharacters(key.first, key.second);
  } catch (const Error&) {
    // A damaged program or map gives no characters; the rest of the font stands.
  }
  glyph_characters_.emplace(key, characters);
  return characters;
}

std::shared_ptr<const CIDGlyphCharacters> FontDecoder::MakeGlyphCharacters(int32_t program,
                                                                           int32_t cid_to_gid_map) {
  auto glyphs =
      std::make_shared<const GlyphToUnicode>(ReadTrueTypeCmap(DecodeStreamObject(program)));
  if (glyphs->empty()) return nullptr;
  auto characters = std::make_shared<CIDGlyphCharacters>();
  characters->glyphs = std::move(glyphs);
  if (cid_to_gid_map >= 0) {
    characters->cid_to_gid = ReadCIDToGIDMap(DecodeStreamObject(cid_to_gid_map));
  }
  return characters;
}

std::string FontDecoder::DecodeStreamObject(int32_t n) {
  ObjectResolver& objects = document_.Objects();
  MemoryStream data;
  const PdfValue* object = objects.Object(n);
  if (const PdfStream* stream = object != nullptr ? object->Stream() : nullptr) {
    objects.DecodeStream(*stream, data);
  }
  return std::string(data.Bytes());
}

}  // namespace lumenquill
