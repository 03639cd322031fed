#include "content/font_decoder.h"

#include <bitset>
#include <optional>

#include "codes/code_helpers.h"
#include "codes/glyph_names.h"
#include "codes/truetype_cmap.h"

#include "content/decoder_reader.h"
#include "content/font_names.h"
#include "platform/error.h"
#include "reader/decimal_text.h"
#include "reader/object_token_scanner.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "reader/stream_dictionary.h"

namespace lumenquill {
namespace {

// The length of "endobj" and the byte before it: steps that meet the end of an object step
// back this far so that their caller meets "endobj" again.
constexpr int64_t kEndObjectStepBack = 7;

// Reads one font dictionary and what it refers to into a font resource. Each step reads from
// the stream it is given: the file stream, or the memory copy of an object given by reference.
class FontDictionaryReader {
 public:
  FontDictionaryReader(TPDFAnalyst& analyst, FontResource& font,
                       GlyphCharactersCache& glyph_characters)
      : analyst_(analyst), font_(font), glyph_characters_(glyph_characters) {}

  // The font dictionary, after its object header, up to "endobj".
  void ReadFontDictionary(ByteStream& stream);

  // The CMap programs met, the /ToUnicode map first and the others after it in the order met.
  // The CMap reader takes the first program as the map to Unicode, and writers put the keys
  // in any order.
  std::unique_ptr<MemoryStream> TakeCMapPrograms();

  // The character of each code by the base encoding met (the Symbol font's own without one),
  // with the /Differences over it. Called once the font is finished.
  std::shared_ptr<const CodeToUnicode> MakeCodeTable() const;

  // The characters of the CIDs by the embedded TrueType program of a CIDFontType2 descendant
  // through its /CIDToGIDMap, read once for the fonts that share both; none without such a
  // program, when its cmap maps nothing, when either cannot be read, or past the bound.
  std::shared_ptr<const CIDGlyphCharacters> ReadGlyphCharacters();

 private:
  enum class Program { kToUnicode, kOther };

  // Calls read(stream, object) on the value at the position: a direct value where it stands
  // (object is kDirectValue), or, for a reference, in a memory copy of the object the chain of
  // references ends in, positioned at its body. Nothing is called for a reference that leads
  // nowhere.
  template <typename Read>
  void ReadValue(ByteStream& stream, Read read);
  // Calls read(stream, object) just inside the dictionary that is the value at the position;
  // nothing when the value is no dictionary.
  template <typename Read>
  void ReadDictionaryValue(ByteStream& stream, Read read);
  // Calls on_data(stream, dictionary) on the "stream" keyword of the stream object whose
  // dictionary the position is in, and reads on up to "endobj".
  template <typename OnData>
  void ReadStreamObject(ByteStream& stream, OnData on_data);
  // The bytes of a literal or hexadecimal string value; other values give nothing.
  std::string ReadStringValue(ByteStream& stream);
  void AppendCMapProgram(ByteStream& stream, Program program, const StreamDictionary& dictionary);

  void ReadEncoding(ByteStream& stream);
  void ReadEncodingDictionary(ByteStream& stream);
  void ReadDifferences(ByteStream& stream);
  void ReadToUnicode(ByteStream& stream);
  void ReadCMapStream(ByteStream& stream, Program program);
  void ReadFontDescriptor(ByteStream& stream);
  void ReadDescriptorDictionary(ByteStream& stream, int32_t descriptor);
  void ReadDescendantFonts(ByteStream& stream);
  void ReadCIDFontDictionary(ByteStream& stream);
  void ReadCIDSystemInfo(ByteStream& stream);
  void ReadCIDToGIDMapValue(ByteStream& stream);
  std::shared_ptr<const CIDGlyphCharacters> MakeGlyphCharacters();
  // The decoded data of the stream object; empty when it holds no stream.
  std::unique_ptr<MemoryStream> DecodeStreamObject(int32_t object);
  static void SkipTo(ByteStream& stream, std::string_view end);
  static bool IsDictionaryEnd(ByteStream& stream);

  TPDFAnalyst& analyst_;
  FontResource& font_;
  std::unique_ptr<MemoryStream> to_unicode_programs_;
  std::unique_ptr<MemoryStream> other_programs_;
  std::string base_encoding_;
  CodeToUnicode differences_{};  // fixed in size: a hostile array cannot grow it
  std::bitset<256> differed_;
  GlyphCharactersCache& glyph_characters_;
  std::string cid_font_subtype_;
  int32_t truetype_program_ = -1;  // the object of the descriptor's /FontFile2
  int32_t cid_to_gid_map_ = -1;    // the object of the /CIDToGIDMap stream; -1 for /Identity
};

template <typename Read>
void FontDictionaryReader::ReadValue(ByteStream& stream, Read read) {
  const int32_t object = analyst_.FollowReferences(stream);
  if (object == TPDFAnalyst::kDirectValue) {
    read(stream, object);
  } else if (object != TPDFAnalyst::kNoValue) {
    const std::unique_ptr<MemoryStream> copy = analyst_.GetObjectStream(object);
    SkipObjectHeader(*copy);
    read(*copy, object);
  }
}

template <typename Read>
void FontDictionaryReader::ReadDictionaryValue(ByteStream& stream, Read read) {
  ReadValue(stream, [&read](ByteStream& value, int32_t object) {
    std::string opening;
    ReadTokenPastStringsAndComments(value, opening);
    if (opening != "<") return;
    value.Move(1);
    read(value, object);
  });
}

template <typename OnData>
void FontDictionaryReader::ReadStreamObject(ByteStream& stream, OnData on_data) {
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    ReadToken(stream, token);
    if (token == "endobj") {
      stream.Move(-kEndObjectStepBack);
      return;
    }
    if (!dictionary.ReadEntry(token, stream) && token == "stream") on_data(stream, dictionary);
  }
}

std::string FontDictionaryReader::ReadStringValue(ByteStream& stream) {
  std::string bytes;
  ReadValue(stream, [&bytes](ByteStream& value, int32_t) {
    std::string token;
    do {
      ReadToken(value, token);
      if (token == "%") SkipLine(value);
    } while (token == "%");
    if (token == "(") {
      ReadLiteralString(value, bytes);
    } else if (token == "<") {
      bytes.clear();
      ReadHexString(value, bytes);
    }
  });
  return bytes;
}

void FontDictionaryReader::SkipTo(ByteStream& stream, std::string_view end) {
  std::string token;
  do {
    ReadToken(stream, token);
  } while (token != end);
}

// Called just after a ">" token: a dictionary ends at ">>" unless stream data follows it.
bool FontDictionaryReader::IsDictionaryEnd(ByteStream& stream) {
  std::string token;
  ReadToken(stream, token);
  if (token != ">") {
    stream.Move(-static_cast<int64_t>(token.size()));
    return false;
  }
  ReadToken(stream, token);
  stream.Move(-static_cast<int64_t>(token.size()));
  return token != "stream";
}

void FontDictionaryReader::AppendCMapProgram(ByteStream& stream, Program program,
                                             const StreamDictionary& dictionary) {
  std::unique_ptr<MemoryStream>& programs =
      program == Program::kToUnicode ? to_unicode_programs_ : other_programs_;
  if (!programs) programs = std::make_unique<MemoryStream>();
  if (program == Program::kToUnicode) font_.to_unicode = ToUnicodeMap::kProgram;
  programs->Write("\n\n");
  dictionary.DecodeData(stream, *programs);
}

std::unique_ptr<MemoryStream> FontDictionaryReader::TakeCMapPrograms() {
  if (!to_unicode_programs_) return std::move(other_programs_);
  if (other_programs_) to_unicode_programs_->Write(other_programs_->Bytes());
  return std::move(to_unicode_programs_);
}

void FontDictionaryReader::ReadFontDictionary(ByteStream& stream) {
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (token == "endobj") return;
    if (dictionary.ReadEntry(token, stream)) continue;
    if (token == "/Encoding") {
      ReadEncoding(stream);
    } else if (token == "/FontDescriptor") {
      ReadFontDescriptor(stream);
    } else if (token == "/DescendantFonts") {
      ReadDescendantFonts(stream);
    } else if (token == "/Subtype") {
      analyst_.ReadResolvedToken(stream, font_.subtype);
    } else if (token == "/BaseFont") {
      if (font_.font_name == "???") analyst_.ReadResolvedToken(stream, font_.font_name);
    } else if (token == "/ToUnicode") {
      ReadToUnicode(stream);
    } else if (token == "stream") {
      AppendCMapProgram(stream, Program::kOther, dictionary);
    }
  }
}

// A name, or a dictionary; any other value is passed over.
void FontDictionaryReader::ReadEncoding(ByteStream& stream) {
  ReadValue(stream, [this](ByteStream& value, int32_t) {
    std::string token;
    ReadTokenPastStringsAndComments(value, token);
    if (token[0] == '/') {
      font_.encoding = token;
      base_encoding_ = token.substr(1);
    } else if (token == "<") {
      value.Move(1);
      ReadEncodingDictionary(value);
    }
  });
}

// An encoding dictionary, or an embedded CMap stream with its dictionary.
void FontDictionaryReader::ReadEncodingDictionary(ByteStream& stream) {
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (dictionary.ReadEntry(token, stream)) continue;
    if (token == "/Differences") {
      font_.encoding = kCustomEncoding;
      ReadDifferences(stream);
    } else if (token == "/BaseEncoding") {
      ReadTokenPastStringsAndComments(stream, base_encoding_);
      base_encoding_.erase(0, 1);
    } else if (token == ">") {
      if (IsDictionaryEnd(stream)) return;
    } else if (token == "endobj") {
      stream.Move(-kEndObjectStepBack);
      return;
    } else if (token == "/CMapName") {
      analyst_.ReadResolvedToken(stream, font_.encoding);
    } else if (token == "/CIDSystemInfo") {
      SkipValue(stream);
    } else if (token == "/UseCMap") {
      // A predefined CMap named here is not loaded; one given by reference is read.
      ReadDictionaryValue(stream, [this](ByteStream& value, int32_t object) {
        if (object != TPDFAnalyst::kDirectValue) ReadCMapStream(value, Program::kOther);
      });
    } else if (token == "stream") {
      AppendCMapProgram(stream, Program::kOther, dictionary);
    }
  }
}

// An array of codes, each followed by the names of the glyphs from that code on. Names past
// the last code are dropped.
void FontDictionaryReader::ReadDifferences(ByteStream& stream) {
  ReadValue(stream, [this](ByteStream& value, int32_t) {
    std::string token;
    ReadTokenPastStringsAndComments(value, token);
    if (token != "[") return;
    int32_t code = 256;
    for (;;) {
      ReadTokenPastStringsAndComments(value, token);
      if (token == "]") return;
      if (token[0] == '/') {
        if (code >= 0 && code < 256) {
          differences_[code] = GlyphNameToUnicode(DecodeNameEscapes(token.substr(1)));
          differed_.set(code);
          ++code;
        }
      } else {
        code = ParseDecimal(token).value_or(256);  // 256: names wait for a code
      }
    }
  });
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
void FontDictionaryReader::ReadToUnicode(ByteStream& stream) {
  ReadValue(stream, [this](ByteStream& value, int32_t) {
    std::string token;
    ReadTokenPastStringsAndComments(value, token);
    if (token == "/Identity-H" || token == "/Identity-V") {
      font_.to_unicode = ToUnicodeMap::kIdentity;
    } else if (token == "<") {
      value.Move(1);
      ReadCMapStream(value, Program::kToUnicode);
    }
  });
}

// A CMap stream up to "endobj"; strings and comments are not skipped here.
void FontDictionaryReader::ReadCMapStream(ByteStream& stream, Program program) {
  ReadStreamObject(stream, [this, program](ByteStream& data, const StreamDictionary& dictionary) {
    AppendCMapProgram(data, program, dictionary);
  });
}

void FontDictionaryReader::ReadFontDescriptor(ByteStream& stream) {
  ReadDictionaryValue(stream, [this](ByteStream& value, int32_t object) {
    ReadDescriptorDictionary(value,
                             object == TPDFAnalyst::kDirectValue ? font_.object_number : object);
  });
}

void FontDictionaryReader::ReadDescriptorDictionary(ByteStream& stream, int32_t descriptor) {
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (dictionary.ReadEntry(token, stream)) continue;
    if (token == "/FontName") {
      analyst_.ReadResolvedToken(stream, font_.font_name);
    } else if (token == "/FontFile" || token == "/FontFile2" || token == "/FontFile3") {
      font_.embedded = true;
      const bool truetype = token == "/FontFile2";
      ReadToken(stream, token);
      if (analyst_.IsObjectReference(token)) {
        font_.font_file_object = ParseDecimal(token).value_or(-1);
        if (truetype) truetype_program_ = font_.font_file_object;
      }
    } else if (token == "stream") {
      // The descriptor carries the font program itself.
      font_.embedded = true;
      font_.font_file_object = descriptor;
      SkipStreamData(stream, dictionary.Length());
    } else if (token == "/Style" || token == "/FD") {
      SkipValue(stream);
    } else if (token == ">") {
      if (IsDictionaryEnd(stream)) return;
    } else if (token == "endobj") {
      stream.Move(-kEndObjectStepBack);
      return;
    }
  }
}

// Only the first descendant font is read: the value is an array of CIDFonts, or the one
// CIDFont itself.
void FontDictionaryReader::ReadDescendantFonts(ByteStream& stream) {
  const auto read_cid_font = [this](ByteStream& value) {
    ReadDictionaryValue(
        value, [this](ByteStream& dictionary, int32_t) { ReadCIDFontDictionary(dictionary); });
  };
  ReadValue(stream, [&read_cid_font](ByteStream& value, int32_t) {
    std::string token;
    ReadTokenPastStringsAndComments(value, token);
    if (token == "[") {
      read_cid_font(value);
      SkipTo(value, "]");
    } else {
      value.Move(-static_cast<int64_t>(token.size()));
      read_cid_font(value);
    }
  });
}

// The CIDFont's own /BaseFont is not read, and its /Subtype is kept apart: the font keeps the
// top-level ones.
void FontDictionaryReader::ReadCIDFontDictionary(ByteStream& stream) {
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    ReadTokenPastStringsAndComments(stream, token);
    if (dictionary.ReadEntry(token, stream)) continue;
    if (token == "/FontDescriptor") {
      ReadFontDescriptor(stream);
    } else if (token == "/CIDSystemInfo") {
      ReadCIDSystemInfo(stream);
    } else if (token == "/CIDToGIDMap") {
      ReadCIDToGIDMapValue(stream);
    } else if (token == "/Subtype") {
      analyst_.ReadResolvedToken(stream, cid_font_subtype_);
    } else if (token == "stream") {
      SkipStreamData(stream, dictionary.Length());
    } else if (token == ">") {
      if (IsDictionaryEnd(stream)) return;
    } else if (token == "endobj") {
      stream.Move(-kEndObjectStepBack);
      return;
    }
  }
}

void FontDictionaryReader::ReadCIDSystemInfo(ByteStream& stream) {
  ReadDictionaryValue(stream, [this](ByteStream& value, int32_t) {
    std::string token;
    for (;;) {
      ReadTokenPastStringsAndComments(value, token);
      if (token == "/Registry") {
        font_.cid_registry = ReadStringValue(value);
      } else if (token == "/Ordering") {
        font_.cid_ordering = ReadStringValue(value);
      } else if (token[0] == '/') {
        SkipValue(value);
      } else if (token == ">") {
        if (IsDictionaryEnd(value)) return;
      } else if (token == "endobj") {
        value.Move(-kEndObjectStepBack);
        return;
      }
    }
  });
}

// The name /Identity, the default, or a stream of the glyph of each CID, read when needed.
void FontDictionaryReader::ReadCIDToGIDMapValue(ByteStream& stream) {
  ReadValue(stream, [this](ByteStream& value, int32_t object) {
    std::string token;
    ReadTokenPastStringsAndComments(value, token);
    if (token == "<" && object != TPDFAnalyst::kDirectValue) cid_to_gid_map_ = object;
  });
}

std::unique_ptr<MemoryStream> FontDictionaryReader::DecodeStreamObject(int32_t object) {
  auto data = std::make_unique<MemoryStream>();
  const std::unique_ptr<MemoryStream> copy = analyst_.GetObjectStream(object);
  SkipObjectHeader(*copy);
  ReadStreamObject(*copy, [&data](ByteStream& stream, const StreamDictionary& dictionary) {
    dictionary.DecodeData(stream, *data);
  });
  return data;
}

std::shared_ptr<const CIDGlyphCharacters> FontDictionaryReader::ReadGlyphCharacters() {
  if (cid_font_subtype_ != "/CIDFontType2" || truetype_program_ < 0) return nullptr;
  const std::pair<int32_t, int32_t> key{truetype_program_, cid_to_gid_map_};
  if (const auto cached = glyph_characters_.find(key); cached != glyph_characters_.end()) {
    return cached->second;
  }
  if (glyph_characters_.size() == FontDecoder::kMaxEmbeddedCmaps) return nullptr;
  std::shared_ptr<const CIDGlyphCharacters> characters;
  try {
    characters = MakeGlyphCharacters();
  } catch (const Error&) {
    // A damaged program or map gives no characters; the rest of the font stands.
  }
  glyph_characters_.emplace(key, characters);
  return characters;
}

std::shared_ptr<const CIDGlyphCharacters> FontDictionaryReader::MakeGlyphCharacters() {
  auto glyphs = std::make_shared<const GlyphToUnicode>(
      ReadTrueTypeCmap(DecodeStreamObject(truetype_program_)->Bytes()));
  if (glyphs->empty()) return nullptr;
  auto characters = std::make_shared<CIDGlyphCharacters>();
  characters->glyphs = std::move(glyphs);
  if (cid_to_gid_map_ >= 0) {
    characters->cid_to_gid = ReadCIDToGIDMap(DecodeStreamObject(cid_to_gid_map_)->Bytes());
  }
  return characters;
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

// Reads the font dictionary that read_dictionary hands to the reader into font, recording a
// failure in the font; the file position is put back.
template <typename ReadDictionary>
void DecodeInto(TPDFAnalyst& analyst, GlyphCharactersCache& glyph_characters, FontResource& font,
                ReadDictionary read_dictionary) {
  PositionGuard guard(*analyst.Stream());
  FontDictionaryReader reader(analyst, font, glyph_characters);
  try {
    read_dictionary(reader);
    font.cmap_data = reader.TakeCMapPrograms();
    FinishFont(font);
    if (font.subtype != "Type0") font.codes = reader.MakeCodeTable();
    if (font.HasUnmappedForeignCIDs()) font.glyph_characters = reader.ReadGlyphCharacters();
  } catch (const Error&) {
    font.cmap_data = reader.TakeCMapPrograms();
    font.failed = true;
  }
}

// The direct dictionary at offset of the file, up to its balanced end, closed by "endobj" as
// the body of an object is, so that it reads like a font object.
std::unique_ptr<MemoryStream> CopyDirectDictionary(ByteStream& file, int64_t offset) {
  file.SetPosition(offset);
  SkipValue(file);
  std::string bytes(file.Bytes().substr(static_cast<size_t>(offset),
                                        static_cast<size_t>(file.Position() - offset)));
  bytes += "\nendobj\n";
  return std::make_unique<MemoryStream>(std::move(bytes));
}

}  // namespace

FontDecoder::FontDecoder(TPDFAnalyst* analyst) : analyst_(CheckDecoderReader(analyst)) {}

FontResource FontDecoder::DecodeFont(const std::string& name, int32_t object_number) {
  if (!analyst_.IsValidObjectNumber(object_number)) throw Error("オブジェクト番号が不正です。");
  FontResource font(name, object_number);
  DecodeInto(analyst_, glyph_characters_, font,
             [this, object_number](FontDictionaryReader& reader) {
               ByteStream& stream = *analyst_.Stream();
               analyst_.SeekToExistingObject(object_number);
               SkipObjectHeader(stream);
               reader.ReadFontDictionary(stream);
             });
  return font;
}

FontResource FontDecoder::DecodeFont(const Resource& resource) {
  if (resource.dictionary_offset == -1) return DecodeFont(resource.name, resource.object_number);
  FontResource font(resource.name, -1);
  font.dictionary_offset = resource.dictionary_offset;
  DecodeInto(analyst_, glyph_characters_, font, [this, &resource](FontDictionaryReader& reader) {
    reader.ReadFontDictionary(
        *CopyDirectDictionary(*analyst_.Stream(), resource.dictionary_offset));
  });
  return font;
}

}  // namespace lumenquill
