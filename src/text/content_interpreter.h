#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "codes/cmap_reader.h"
#include "content/font_resource.h"
#include "reader/memory_stream.h"
#include "text/font_cache.h"
#include "text/font_conversion.h"

namespace lumenquill {

// The options of the interpretation, from the text decoder.
struct InterpreterOptions {
  int32_t line_threshold;
  std::string new_line_code;
  uint8_t line_break_mode;
};

// The interpretation of one content buffer: picks the string operands out of the text objects
// and converts them by the font selected at the time, with line breaks and spaces from the
// positioning operators and TJ numbers. Everything here lives for one buffer.
class ContentInterpreter final {
 public:
  // Takes a CMap reader for every font with CMap programs, from the cache when one is given
  // and holds it, else built here and owned by the interpreter.
  ContentInterpreter(const InterpreterOptions& options, const TPDFFontResourceList& fonts,
                     FontCache* cache = nullptr);
  ContentInterpreter(const ContentInterpreter&) = delete;
  ContentInterpreter& operator=(const ContentInterpreter&) = delete;

  // The content loop, from the position up to "endobj" or the end; raises nothing.
  void Run(ByteStream& content, std::string& output);

  // How many q may save the font at once. Real content nests q a few levels deep; past this,
  // q saves nothing, so that hostile content cannot grow the saved fonts without end.
  static constexpr size_t kMaxSavedFonts = 256;

 private:
  // Takes note of each token of the content loops, comments excepted: Tf selects the font named
  // by the name operand just before its size.
  void FollowOperands(const std::string& token);
  void SelectFont(const std::string& name);
  void UseFont(int32_t index);
  void SaveFont();
  void RestoreFont();
  void DecodeTextObject(ByteStream& content, std::string& output);
  void ReadTextArray(ByteStream& content, std::string& output);
  void ApplyPositioning(std::string& output);
  void WriteLineBreakAlongText(std::string& output) const;
  // Converts the string that starts at the position; before a ' or " operator, which move to
  // the next line first, the line break comes before the string's text.
  void OutputString(ByteStream& content, std::string& output, bool in_text_object);
  void ConvertString(std::string& output) const;

  const InterpreterOptions& options_;
  const TPDFFontResourceList& fonts_;
  std::vector<std::unique_ptr<TPDFCMapReader>> cmap_readers_;  // those not from the cache
  // Each font's CMap reader, from the cache or cmap_readers_; null for a font without CMap data.
  std::vector<const TPDFCMapReader*> font_cmaps_;
  // The index of the first font of each name: Tf selects by name, and a page may name
  // thousands of fonts.
  std::unordered_map<std::string, int32_t> font_index_;
  // Each font's conversion, chosen once: a page may switch fonts at every string.
  std::vector<FontConversion> font_conversions_;

  // The operands seen since the last operator, as far as Tf cares: a name, then one number.
  enum class FontOperands { kNone, kName, kNameAndSize };
  FontOperands font_operands_ = FontOperands::kNone;
  std::string name_operand_;

  int32_t current_font_ = -1;  // the index of the selected font; -1 for none
  std::vector<int32_t> saved_fonts_;
  int64_t unsaved_levels_ = 0;  // the q past kMaxSavedFonts that their Q must pass over
  // The selected font's conversion, and what it reads of the font.
  FontConversion conversion_{ConversionKind::kLabel, ConverterForLabel("")};
  const TPDFCMapReader* current_cmap_ = nullptr;  // set when the selected font has CMap data
  CodeBytes code_bytes_ = CodeBytes::kByCMap;
  const CIDGlyphCharacters* glyph_characters_ = nullptr;
  bool horizontal_ = true;
  std::string prev_x_;
  std::string prev_y_;
  std::string string_buffer_;
  std::string converted_;

  // The two slots that receive the numbers of the current text object alternately.
  std::string num_a_;
  std::string num_b_;
  bool next_slot_a_ = true;
};

}  // namespace lumenquill
