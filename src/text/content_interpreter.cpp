#include "text/content_interpreter.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "codes/cid_glyph_text.h"
#include "codes/code_helpers.h"
#include "codes/predefined_conversion.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "text/dictionary_operand.h"
#include "text/inline_image.h"
#include "text/number_to_int.h"

namespace lumenquill {
namespace {

// A TJ number below this, in thousandths of the font size, is a gap between words.
constexpr int32_t kWordGapKerning = -100;

// Whether the token is the word: compared by length first, then by bytes the compiler can
// compare inline, since every token of a content stream meets a chain of these.
template <size_t N>
bool Is(const std::string& token, const char (&word)[N]) {
  return token.size() == N - 1 && std::memcmp(token.data(), word, N - 1) == 0;
}

bool IsNumberToken(const std::string& token) {
  const char c = token[0];
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

// Simple fonts take one byte per code whatever code space their ToUnicode map declares;
// Type0 fonts take codes of the lengths their map gives.
bool IsSimpleFont(const std::string& subtype) {
  return subtype == "Type1" || subtype == "TrueType" || subtype == "Type3" || subtype == "MMType1";
}

bool OpensString(const std::string& token) { return Is(token, "(") || Is(token, "<"); }

// The distance between two coordinates, in 64 bits so that no difference overflows.
int64_t Distance(int32_t a, int32_t b) { return std::llabs(int64_t{a} - b); }

}  // namespace

ContentInterpreter::ContentInterpreter(const InterpreterOptions& options,
                                       const TPDFFontResourceList& fonts, FontCache* cache)
    : options_(options), fonts_(fonts) {
  for (int32_t i = 0; i < fonts_.Count(); ++i) {
    const TPDFFontResource& font = fonts_.GetItem(i);
    font_index_.emplace(font.Name, i);  // the first font of a name is the one selected
    font_conversions_.push_back(ChooseConversion(font));
    const TPDFCMapReader* reader = nullptr;
    if (font.CMapData) {
      reader = cache ? cache->CachedReader(font) : nullptr;
      if (!reader) {
        cmap_readers_.push_back(ReadFontCMap(font));
        reader = cmap_readers_.back().get();
      }
    }
    font_cmaps_.push_back(reader);
  }
}

void ContentInterpreter::Run(ByteStream& content, std::string& output) {
  std::string token;
  try {
    for (;;) {
      ReadToken(content, token);
      if (Is(token, "%")) {
        SkipLine(content);
        continue;
      }
      FollowOperands(token);
      if (Is(token, "BT")) {
        DecodeTextObject(content, output);
      } else if (Is(token, "BI")) {
        if (!SkipInlineImage(content)) return;
      } else if (Is(token, "q")) {
        SaveFont();
      } else if (Is(token, "Q")) {
        RestoreFont();
      } else if (Is(token, "(")) {
        SkipLiteralString(content);  // strings outside text objects are never output
      } else if (Is(token, "endobj")) {
        return;
      }
    }
  } catch (const Error&) {
    // The end of the buffer, or damaged content: the buffer ends here.
  }
}

// A name followed by one number makes the pair; any other token takes it apart, so that a Tf
// with other operands between its name and size selects nothing.
void ContentInterpreter::FollowOperands(const std::string& token) {
  if (font_operands_ == FontOperands::kNone && token[0] != '/') return;
  if (token[0] == '/') {
    name_operand_ = token;  // reuses its buffer: no allocation per name
    font_operands_ = FontOperands::kName;
    return;
  }
  if (IsNumberToken(token)) {
    font_operands_ =
        font_operands_ == FontOperands::kName ? FontOperands::kNameAndSize : FontOperands::kNone;
    return;
  }
  if (font_operands_ == FontOperands::kNameAndSize && Is(token, "Tf")) SelectFont(name_operand_);
  font_operands_ = FontOperands::kNone;
}

// A name no font of the list has leaves the selected font as it is.
void ContentInterpreter::SelectFont(const std::string& name) {
  const auto found = font_index_.find(name);
  if (found != font_index_.end() && found->second != current_font_) UseFont(found->second);
}

void ContentInterpreter::UseFont(int32_t index) {
  current_font_ = index;
  if (index < 0) {  // no font, as before any Tf: strings are single-byte text
    conversion_ = {ConversionKind::kLabel, ConverterForLabel("")};
    horizontal_ = true;
    return;
  }
  const TPDFFontResource& font = fonts_.GetItem(index);
  conversion_ = font_conversions_[static_cast<size_t>(index)];
  current_cmap_ = font_cmaps_[static_cast<size_t>(index)];
  code_bytes_ = IsSimpleFont(font.Subtype) ? CodeBytes::kOneEach : CodeBytes::kByCMap;
  glyph_characters_ = font.GlyphCharacters.get();
  horizontal_ = font.Encoding.empty() || font.Encoding.back() != 'V';
}

void ContentInterpreter::SaveFont() {
  if (saved_fonts_.size() < kMaxSavedFonts) {
    saved_fonts_.push_back(current_font_);
  } else {
    ++unsaved_levels_;
  }
}

// The innermost q is the one that saved nothing, when any did; a Q without its q changes
// nothing.
void ContentInterpreter::RestoreFont() {
  if (unsaved_levels_ > 0) {
    --unsaved_levels_;
  } else if (!saved_fonts_.empty()) {
    UseFont(saved_fonts_.back());
    saved_fonts_.pop_back();
  }
}

void ContentInterpreter::DecodeTextObject(ByteStream& content, std::string& output) {
  num_a_.clear();
  num_b_.clear();
  next_slot_a_ = true;
  std::string token;
  try {
    for (;;) {
      ReadToken(content, token);
      if (Is(token, "%")) {
        SkipLine(content);
        continue;
      }
      FollowOperands(token);
      if (IsNumberToken(token)) {
        (next_slot_a_ ? num_a_ : num_b_) = token;
        next_slot_a_ = !next_slot_a_;
      } else if (Is(token, "<") && OpensDictionary(content)) {
        SkipDictionary(content);  // marked-content properties are never output
      } else if (OpensString(token)) {
        content.Move(-1);
        OutputString(content, output, true);
      } else if (Is(token, "[")) {
        ReadTextArray(content, output);
      } else if (Is(token, "T*")) {
        WriteLineBreakAlongText(output);
      } else if (Is(token, "Td") || Is(token, "TD") || Is(token, "Tm")) {
        ApplyPositioning(output);
      } else if (Is(token, "ET") || Is(token, "endobj")) {
        return;
      }
    }
  } catch (const Error&) {
    // A damaged text object ends here; the content loop goes on.
  }
}

void ContentInterpreter::ReadTextArray(ByteStream& content, std::string& output) {
  std::string token;
  for (;;) {
    ReadToken(content, token);
    if (Is(token, "]")) return;
    if (Is(token, "%")) {
      SkipLine(content);
    } else if (OpensString(token)) {
      content.Move(-1);
      OutputString(content, output, false);
    } else if (IsNumberToken(token) && NumberToInt(token).value_or(0) < kWordGapKerning) {
      output.push_back(' ');
    }
  }
}

void ContentInterpreter::WriteLineBreakAlongText(std::string& output) const {
  if (options_.line_break_mode == 1 && horizontal_) output += options_.new_line_code;
}

// Td, TD and Tm compare their last two numbers with those of the previous positioning
// operator of the buffer: a move across the writing direction of at least the threshold, or a
// move back of at least the threshold, starts a new line.
void ContentInterpreter::ApplyPositioning(std::string& output) {
  if (options_.line_break_mode == 0) return;
  if (!next_slot_a_) std::swap(num_a_, num_b_);
  if (!prev_x_.empty() && !prev_y_.empty()) {
    const std::optional<int32_t> x = NumberToInt(num_a_);
    const std::optional<int32_t> y = NumberToInt(num_b_);
    const std::optional<int32_t> px = NumberToInt(prev_x_);
    const std::optional<int32_t> py = NumberToInt(prev_y_);
    if (x && y && px && py) {
      const int32_t t = options_.line_threshold;
      const bool vertical_move = *y != 0 && (Distance(*y, *py) >= t || *y <= -t);
      const bool horizontal_move = *x != 0 && (Distance(*x, *px) >= t || *x <= -t);
      if (horizontal_ ? vertical_move : horizontal_move) output += options_.new_line_code;
    }
  }
  prev_x_ = num_a_;
  prev_y_ = num_b_;
}

void ContentInterpreter::OutputString(ByteStream& content, std::string& output,
                                      bool in_text_object) {
  try {
    string_buffer_.clear();
    uint8_t opening = 0;
    do {
      opening = content.ReadByte();
    } while (opening != '(' && opening != '<');
    if (opening == '<') {
      string_buffer_ = HexToBytes(ReadHexString(content));
    } else {
      ReadLiteralString(content, string_buffer_);
    }
    converted_.clear();
    if (!string_buffer_.empty()) ConvertString(converted_);

    if (in_text_object) {
      PositionGuard guard(content);
      std::string next;
      ReadToken(content, next);
      if (next == "'" || next == "\"") WriteLineBreakAlongText(output);
    }
  } catch (const Error&) {
    // Only this string is lost, or the operator after it is past the end of the buffer.
  }
  output += converted_;
  converted_.clear();
}

void ContentInterpreter::ConvertString(std::string& dest) const {
  switch (conversion_.kind) {
    case ConversionKind::kToUnicode:
    case ConversionKind::kCMapProgram:
      ConvertByCMap(current_cmap_, string_buffer_, dest, code_bytes_, conversion_.codes);
      break;
    case ConversionKind::kEmbeddedCmap:
      WriteCIDsByGlyphs(*glyph_characters_, string_buffer_, dest);
      break;
    case ConversionKind::kGlyphNames:
      WriteByCodeTable(*conversion_.codes, string_buffer_, dest);
      break;
    case ConversionKind::kIdentityToUnicode:
    case ConversionKind::kUnknownCIDs:
    case ConversionKind::kLabel:
      conversion_.converter(string_buffer_, dest);
      break;
    case ConversionKind::kNone:
      break;
  }
}

}  // namespace lumenquill
