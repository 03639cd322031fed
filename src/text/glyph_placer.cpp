#include "text/glyph_placer.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "platform/error.h"
#include "reader/decimal_text.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"
#include "text/dictionary_operand.h"
#include "text/inline_image.h"

namespace lumenquill {
namespace {

// The width of a glyph no font tells, in text-space units: about an average Latin letter.
constexpr double kEstimatedWidth = 0.5;

// How a composite font's strings split into codes when no CMap program tells: by the encoding
// its label names.
GlyphFont::Codes CodesOfLabel(const std::string& encoding) {
  if (encoding.find("RKSJ") != std::string::npos) return GlyphFont::Codes::kShiftJIS;
  if (encoding.find("EUC") != std::string::npos) return GlyphFont::Codes::kEUC;
  return GlyphFont::Codes::kTwoBytes;
}

GlyphFont MakeGlyphFont(const FontResource& font, const FontSelection& selection) {
  GlyphFont glyph_font;
  glyph_font.resource = &font;
  glyph_font.selection = &selection;
  glyph_font.widths = font.widths.get();
  glyph_font.composite = font.subtype == "Type0";
  if (!glyph_font.composite || selection.code_bytes == CodeBytes::kOneEach) {
    glyph_font.codes = GlyphFont::Codes::kOneByte;
  } else if (selection.cmap != nullptr) {
    glyph_font.codes = GlyphFont::Codes::kByCMap;
  } else {
    glyph_font.codes = CodesOfLabel(font.encoding);
  }
  glyph_font.identity_cids = font.encoding == "Identity-H" || font.encoding == "Identity-V";
  glyph_font.vertical = glyph_font.composite && !selection.horizontal;
  return glyph_font;
}

// The length of the code that starts at byte i of the string; past the string's end for a code
// it cuts short.
size_t CodeLength(std::string_view codes, size_t i, const GlyphFont& font) {
  const auto byte = static_cast<uint8_t>(codes[i]);
  switch (font.codes) {
    case GlyphFont::Codes::kOneByte:
      return 1;
    case GlyphFont::Codes::kByCMap: {
      const CMapReader& cmap = *font.selection->cmap;
      const bool one_byte =
          cmap.HasOneByteCodes() && byte >= cmap.MinOneByteCode() && byte <= cmap.MaxOneByteCode();
      return one_byte ? 1 : 2;
    }
    case GlyphFont::Codes::kShiftJIS:
      return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 2 : 1;
    case GlyphFont::Codes::kEUC:
      return byte == 0x8F ? 3 : byte >= 0x80 ? 2 : 1;
    case GlyphFont::Codes::kTwoBytes:
      break;
  }
  return 2;
}

// A simple font's advance of a code, in text-space units before spacing and scaling.
double SimpleAdvance(uint8_t code, const FontWidths* widths) {
  return widths ? widths->by_code[code] : kEstimatedWidth;
}

// The glyph's advance in text-space units before spacing and scaling: its width, or for a
// vertical font its vertical displacement (negative). A CID font's widths are by CID, known
// for an Identity encoding; under any other encoding a two-byte code takes the default width
// and a one-byte code (half-width in the Japanese encodings) half of it.
double GlyphAdvance(std::string_view code, const GlyphFont& font) {
  if (!font.composite) return SimpleAdvance(static_cast<uint8_t>(code[0]), font.widths);
  const bool by_cid = font.widths && font.identity_cids && code.size() == 2;
  const uint32_t cid =
      by_cid ? (uint32_t{static_cast<uint8_t>(code[0])} << 8 | static_cast<uint8_t>(code[1])) : 0;
  if (font.vertical) {
    if (by_cid) return font.widths->Vertical(cid);
    return font.widths ? font.widths->default_vertical : -1.0;
  }
  if (by_cid) return font.widths->Width(cid);
  const double width = font.widths ? font.widths->default_width : 1.0;
  return code.size() == 1 ? width / 2 : width;
}

// The advance of every one-byte code of a composite font, as GlyphAdvance gives it: such a
// code has no width by CID, so all take the same.
double CompositeOneByteAdvance(const GlyphFont& font) {
  const char byte = 0;
  return GlyphAdvance(std::string_view(&byte, 1), font);
}

// A number operand's value, as DecimalToDouble reads it. Most are short unsigned integers
// ("10 Tf", "12 TL"), whose value needs no general reading.
std::optional<double> OperandValue(std::string_view token) {
  constexpr size_t kMaxPlainDigits = 9;  // any such value is exact in 32 bits
  if (token.size() <= kMaxPlainDigits) {
    uint32_t value = 0;
    const bool plain = std::all_of(token.begin(), token.end(), [&value](char c) {
      value = value * 10 + static_cast<uint32_t>(c - '0');
      return c >= '0' && c <= '9';
    });
    if (plain) return value;
  }
  return DecimalToDouble(token);
}

// A finite number less itself is zero, an infinite one or NaN less itself NaN, which stays in
// the sum: one test without a branch for each number.
bool AllFinite(float x, float y, float advance_x, float advance_y) {
  return (x - x) + (y - y) + (advance_x - advance_x) + (advance_y - advance_y) == 0;
}

}  // namespace

struct GlyphPlacer::LevelFonts {
  // The fonts' caches of code texts are those from first_code_texts on.
  LevelFonts(const FontList& list, FontCache* cache, size_t first_code_texts)
      : index(FontNamesOf(list)), selections(list, cache) {
    fonts.reserve(list.size());
    for (size_t k = 0; k < list.size(); ++k) {
      fonts.push_back(MakeGlyphFont(list[k], selections[k]));
      fonts.back().code_texts = first_code_texts + k;
    }
  }

  FontNameIndex index;
  FontSelections selections;
  std::vector<GlyphFont> fonts;
};

GlyphPlacer::GlyphPlacer(PlacedPage& page, FontCache* cache, FormSource* forms, size_t max_glyphs)
    : page_(page), cache_(cache), forms_(forms), max_glyphs_(max_glyphs), code_texts_(1) {}

GlyphPlacer::~GlyphPlacer() = default;

const GlyphPlacer::LevelFonts& GlyphPlacer::FontsOf(const FontList& fonts) {
  std::unique_ptr<LevelFonts>& level = level_fonts_[&fonts];
  if (!level) {
    level = std::make_unique<LevelFonts>(fonts, cache_, code_texts_.size());
    code_texts_.resize(code_texts_.size() + fonts.size());
  }
  return *level;
}

void GlyphPlacer::Place(std::string_view content, const FontList& fonts,
                        const ResourceList* xobjects) {
  ByteView view(content);
  Run(view, {&FontsOf(fonts), xobjects});
}

void GlyphPlacer::Run(ByteStream& content, const Level& level) {
  // Every token of the buffer is read in one pass over its bytes: a switch on the token's first
  // byte finds what it is and how far it runs (a delimiter is a token of one byte; any other
  // token runs to the next delimiter, or to the buffer's end, since a form's content often ends
  // with its last operator). The stream follows the cursor only where another reader takes
  // over, and wherever that reader stops (also by raising) is where the cursor goes on.
  TokenCursor tokens(content);
  const auto hand_over = [&tokens](const auto& read) {
    tokens.Sync();
    read();
    tokens.Resume();
  };
  try {
    while (page_.glyphs.size() < max_glyphs_) {
      const char* const end = tokens.End();
      const char* const start = SkipTokenWhiteSpace(tokens.Cursor(), end);
      if (start == end) return;
      const char* const next = start + 1;
      switch (*start) {
        case '%':
          tokens.MoveTo(next);
          hand_over([&] { SkipLine(content); });
          continue;
        case '(':
          string_.clear();
          tokens.MoveTo(ReadLiteralString(next, end, string_));
          continue;
        case '<':
          if (next != end && *next == '<') {
            tokens.MoveTo(next + 1);
            hand_over([&] { SkipDictionary(content); });  // marked-content properties
          } else {
            string_.clear();
            tokens.MoveTo(ReadHexString(next, end, string_));
          }
          continue;
        case '[':
          tokens.MoveTo(next);
          hand_over([&] { ReadArray(content); });
          continue;
        case ')':
        case '>':
        case ']':
          tokens.MoveTo(next);
          continue;
        default:
          break;
      }
      const char* stop = RegularTokenEnd(start, end);
      if (stop == nullptr) stop = end;
      const std::string_view token(start, static_cast<size_t>(stop - start));
      tokens.MoveTo(stop);
      if (IsNumberToken(token)) {
        numbers_[number_count_++ % std::size(numbers_)] = token;
        continue;
      }
      if (*start == '/') {
        name_ = token;
        continue;
      }
      if (*start == '{' || *start == '}') continue;
      // The two-byte operators that start with T, most of a page of text, go to their own
      // handler at once.
      if (token.size() == 2 && *start == 'T') {
        OperateText(token[1], level);
      } else if (!Operate(token, tokens, content, level)) {
        return;
      }
      number_count_ = 0;
      name_ = {};
      string_.clear();
      array_.clear();
      array_bytes_.clear();
    }
  } catch (const Error&) {
    // The end of the buffer, or damaged content: the buffer ends here.
  }
}

bool GlyphPlacer::TakeNumbers(size_t count, double* numbers) const {
  if (number_count_ < count) return false;
  for (size_t k = 0; k < count; ++k) {
    const std::optional<double> number =
        OperandValue(numbers_[(number_count_ - count + k) % std::size(numbers_)]);
    if (!number) return false;
    numbers[k] = *number;
  }
  return true;
}

// Operators are told apart by their first byte, then compared whole.
bool GlyphPlacer::Operate(std::string_view op, TokenCursor& tokens, ByteStream& content,
                          const Level& level) {
  double n[6];
  switch (op[0]) {
    case 'q':
      if (op.size() != 1) break;
      if (saved_.size() < kMaxSavedStates) {
        saved_.push_back(state_);
      } else {
        ++unsaved_levels_;
      }
      break;
    case 'Q':
      if (op.size() != 1) break;
      if (unsaved_levels_ > 0) {
        --unsaved_levels_;
      } else if (saved_.size() > saved_floor_) {
        state_ = saved_.back();
        saved_.pop_back();
      }
      break;
    case 'c':
      if (Is(op, "cm") && TakeNumbers(6, n)) {
        state_.ctm = Matrix{n[0], n[1], n[2], n[3], n[4], n[5]}.Then(state_.ctm);
      }
      break;
    case 'B':
      if (Is(op, "BT")) {
        in_text_ = true;
        text_matrix_ = line_matrix_ = Matrix{};
      } else if (Is(op, "BI")) {
        tokens.Sync();
        const bool go_on = SkipInlineImage(content);
        tokens.Resume();
        return go_on;
      }
      break;
    case 'E':
      if (Is(op, "ET")) in_text_ = false;
      break;
    case '\'':
      if (op.size() != 1) break;
      NextLine(0, -state_.leading);
      ShowString(string_);
      break;
    case '"':
      if (op.size() == 1 && TakeNumbers(2, n)) {
        state_.word_spacing = n[0];
        state_.char_spacing = n[1];
        NextLine(0, -state_.leading);
        ShowString(string_);
      }
      break;
    case 'D':
      if (Is(op, "Do")) DrawForm(level);
      break;
    case 'e':
      if (Is(op, "endobj")) return false;
      break;
    default:
      break;
  }
  return true;
}

// The two-byte operators that start with T, told apart by their second byte.
void GlyphPlacer::OperateText(char second, const Level& level) {
  double n[6];
  switch (second) {
    case 'm':
      if (TakeNumbers(6, n))
        text_matrix_ = line_matrix_ = Matrix{n[0], n[1], n[2], n[3], n[4], n[5]};
      break;
    case 'd':
      if (TakeNumbers(2, n)) NextLine(n[0], n[1]);
      break;
    case 'D':
      if (TakeNumbers(2, n)) {
        state_.leading = -n[1];
        NextLine(n[0], n[1]);
      }
      break;
    case '*':
      NextLine(0, -state_.leading);
      break;
    case 'L':
      if (TakeNumbers(1, n)) state_.leading = n[0];
      break;
    case 'c':
      if (TakeNumbers(1, n)) state_.char_spacing = n[0];
      break;
    case 'w':
      if (TakeNumbers(1, n)) state_.word_spacing = n[0];
      break;
    case 'z':
      if (TakeNumbers(1, n)) state_.horizontal_scale = n[0] / 100;
      break;
    case 's':
      if (TakeNumbers(1, n)) state_.rise = n[0];
      break;
    case 'f':
      if (TakeNumbers(1, n)) {
        state_.font_size = n[0];
        SelectFont(level);
      }
      break;
    case 'j':
      ShowString(string_);
      break;
    case 'J':
      ShowArray();
      break;
    default:
      break;
  }
}

// Strings and numbers up to "]"; anything else inside is passed over.
void GlyphPlacer::ReadArray(ByteStream& content) {
  array_.clear();
  array_bytes_.clear();
  for (;;) {
    const std::string_view token = NextToken(content);
    const size_t begin = array_bytes_.size();
    if (token == "]") return;
    if (token == "%") {
      SkipLine(content);
    } else if (token == "(") {
      ReadLiteralString(content, array_bytes_);
      array_.push_back({0, begin, array_bytes_.size()});
    } else if (token == "<") {
      ReadHexString(content, array_bytes_);
      array_.push_back({0, begin, array_bytes_.size()});
    } else if (IsNumberToken(token)) {
      const double adjustment = DecimalToDouble(token).value_or(0);
      array_.push_back({adjustment, begin, begin});
    }
  }
}

void GlyphPlacer::SelectFont(const Level& level) {
  if (name_.empty()) return;
  const int32_t found = level.fonts->index.Find(name_);
  if (found >= 0) state_.font = &level.fonts->fonts[static_cast<size_t>(found)];
}

void GlyphPlacer::NextLine(double tx, double ty) {
  line_matrix_.Translate(tx, ty);
  text_matrix_ = line_matrix_;
}

// A form is drawn in a state of its own, which ends with it; a form already being drawn, one
// past the depth bound, or one the source cannot open draws nothing.
void GlyphPlacer::DrawForm(const Level& level) {
  if (forms_ == nullptr || level.xobjects == nullptr || name_.empty() ||
      forms_on_path_.size() >= kMaxFormDepth) {
    return;
  }
  const auto xobject = std::find_if(level.xobjects->begin(), level.xobjects->end(),
                                    [this](const Resource& r) { return r.name == name_; });
  if (xobject == level.xobjects->end() || xobject->object_number < 0) return;
  const int32_t n = xobject->object_number;
  if (std::find(forms_on_path_.begin(), forms_on_path_.end(), n) != forms_on_path_.end()) return;
  const std::optional<FormDrawing> form = forms_->Open(n);
  if (!form) return;

  const Level inner{form->fonts && !form->fonts->empty() ? &FontsOf(*form->fonts) : level.fonts,
                    form->xobjects ? form->xobjects : level.xobjects};
  const TextGraphicsState state = state_;
  const size_t floor = saved_floor_;
  const int64_t unsaved = unsaved_levels_;
  const Matrix text_matrix = text_matrix_;
  const Matrix line_matrix = line_matrix_;
  const bool in_text = in_text_;
  saved_floor_ = saved_.size();
  unsaved_levels_ = 0;
  state_.ctm = form->matrix.Then(state_.ctm);
  in_text_ = false;
  forms_on_path_.push_back(n);
  ByteView view(form->content);
  Run(view, inner);
  forms_on_path_.pop_back();
  saved_.resize(saved_floor_);
  state_ = state;
  saved_floor_ = floor;
  unsaved_levels_ = unsaved;
  text_matrix_ = text_matrix;
  line_matrix_ = line_matrix;
  in_text_ = in_text;
}

// The length on the page of one text-space unit across the writing direction, times the font
// size. Strings in a row mostly share it, so the last one is kept: equal inputs give an equal
// size (a NaN is equal to nothing and is worked out again). Inline: most strings only compare.
inline float GlyphPlacer::DrawnSize(const Matrix& to_page, bool vertical) {
  const SizeInputs inputs{to_page.a, to_page.b, to_page.c, to_page.d, state_.font_size, vertical};
  if (inputs == last_size_inputs_) return last_size_;
  const double across_x = vertical ? 1 : 0;
  const double across_y = vertical ? 0 : 1;
  last_size_ = static_cast<float>(
      std::hypot(to_page.VectorX(across_x, across_y), to_page.VectorY(across_x, across_y)) *
      std::abs(state_.font_size));
  last_size_inputs_ = inputs;
  return last_size_;
}

// Within a string only the pen moves: the map to the page, the size and the spacing are worked
// out once, and what the loops read is kept in locals, which the glyphs written cannot change.
void GlyphPlacer::ShowString(std::string_view codes) {
  if (!in_text_ || codes.empty()) return;  // strings outside text objects are never shown
  const GlyphFont& font = state_.font ? *state_.font : no_font_;
  const Matrix to_page = text_matrix_.Then(state_.ctm);
  const float size = DrawnSize(to_page, font.vertical);
  const bool size_finite = std::isfinite(size);
  const bool vertical = font.vertical;
  StringPen pen(text_matrix_, to_page, state_, vertical);
  CodeTextCache* const known_texts = code_texts_[font.code_texts];
  CodeTextCache& texts = known_texts ? *known_texts : OpenCodeTexts(font);
  std::vector<PlacedGlyph>& glyphs = page_.glyphs;
  std::string& text = page_.text;
  size_t room = max_glyphs_ - std::min(glyphs.size(), max_glyphs_);

  // The glyph stands at the text-space origin raised by the rise and moves the pen by its
  // advance; one with a position or size beyond the numbers is passed over (null), its advance
  // taken. The glyph placed has its text still to be written.
  const auto place = [&](double width, bool space) -> PlacedGlyph* {
    const StringPen::Step step = pen.Advance(width, space);
    const auto x = static_cast<float>(step.x);
    const auto y = static_cast<float>(step.y);
    const auto advance_x = static_cast<float>(step.advance_x);
    const auto advance_y = static_cast<float>(step.advance_y);
    if (!size_finite || !AllFinite(x, y, advance_x, advance_y)) return nullptr;
    --room;
    return &glyphs.emplace_back(PlacedGlyph{x, y, advance_x, advance_y, size, 0U, 0U, vertical});
  };
  const auto append_text = [&](PlacedGlyph& glyph, const auto& code) {
    glyph.text_begin = static_cast<uint32_t>(text.size());
    texts.Append(code, text);
    glyph.text_end = static_cast<uint32_t>(text.size());
  };

  if (font.codes != GlyphFont::Codes::kOneByte) {
    for (size_t i = 0; i < codes.size() && room > 0;) {
      const size_t length = CodeLength(codes, i, font);
      if (length > codes.size() - i) break;
      const std::string_view code = codes.substr(i, length);
      PlacedGlyph* const glyph = place(GlyphAdvance(code, font), length == 1 && code[0] == ' ');
      if (glyph != nullptr) append_text(*glyph, code);
      i += length;
    }
  } else {
    // A simple font's widths by code, or the advance of every code.
    const float* const widths =
        !font.composite && font.widths ? font.widths->by_code.data() : nullptr;
    const double same_width = font.composite ? CompositeOneByteAdvance(font) : kEstimatedWidth;
    const auto place_each = [&](const auto& write_text) {
      for (const char byte : codes) {
        if (room == 0) break;
        const auto code = static_cast<uint8_t>(byte);
        const double width = widths ? widths[code] : same_width;
        PlacedGlyph* const glyph = place(width, byte == ' ');
        if (glyph != nullptr) write_text(*glyph, code);
      }
    };
    if (texts.AreOwnBytes(codes)) {
      // Each glyph's text is its code's byte: written into room made at once for as many as
      // may be placed.
      const size_t base = text.size();
      text.resize(base + std::min(codes.size(), room));
      char* const out = text.data() + base;
      size_t written = 0;
      // The y bits of the glyph placed before in the string, where the glyphs may continue a
      // line (horizontal, each vertical advance +0); a value no y has where they may not.
      const uint64_t off_line = !vertical && pen.AdvancesAlongX() ? 0 : uint64_t{1} << 32;
      uint64_t line = UINT64_MAX;
      place_each([&](PlacedGlyph& glyph, uint8_t code) {
        glyph.text_begin = static_cast<uint32_t>(base + written);
        out[written++] = static_cast<char>(code);
        glyph.text_end = static_cast<uint32_t>(base + written);
        const uint32_t y_bits = std::bit_cast<uint32_t>(glyph.y);
        glyph.continues_line = y_bits == line;
        line = y_bits | off_line;
      });
      text.resize(base + written);
    } else {
      place_each(append_text);
    }
  }
  text_matrix_ = pen.TextMatrix();
}

CodeTextCache& GlyphPlacer::OpenCodeTexts(const GlyphFont& font) {
  CodeTextCache*& texts = code_texts_[font.code_texts];
  if (cache_ != nullptr && font.resource != nullptr) {
    texts = cache_->CodeTexts(*font.resource, *font.selection);
  }
  if (texts == nullptr) {
    texts = page_code_texts_
                .emplace_back(std::make_unique<CodeTextCache>(*font.selection, code_text_budget_))
                .get();
  }
  return *texts;
}

void GlyphPlacer::ShowArray() {
  const GlyphFont& font = state_.font ? *state_.font : no_font_;
  for (const ArrayItem& item : array_) {
    ShowString(std::string_view(array_bytes_).substr(item.begin, item.end - item.begin));
    if (item.adjustment == 0 || !in_text_) continue;
    const double move = -item.adjustment / 1000 * state_.font_size;
    if (font.vertical) {
      text_matrix_.Translate(0, move);
    } else {
      text_matrix_.Translate(move * state_.horizontal_scale, 0);
    }
  }
}

}  // namespace lumenquill
