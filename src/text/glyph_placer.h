#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "content/font_resource.h"
#include "content/page_resources.h"
#include "layout/placed_page.h"
#include "reader/byte_stream.h"
#include "reader/reading_primitives.h"
#include "text/code_text_cache.h"
#include "text/font_cache.h"
#include "text/font_name_index.h"
#include "text/font_selection.h"
#include "text/text_space.h"

namespace lumenquill {

// What Do draws: a form XObject's content and where its resources come from.
struct FormDrawing {
  std::string_view content;  // decoded; valid while the page is placed
  Matrix matrix;             // /Matrix: form space to the user space of the Do
  // Its own fonts and XObjects; null for a form that takes its parent's.
  const FontList* fonts = nullptr;
  const ResourceList* xobjects = nullptr;
};

// Opens the form XObjects that Do names, for one page.
class FormSource {
 public:
  virtual ~FormSource() = default;
  // The form that XObject object n is, or nothing for an XObject that is no form, one that
  // cannot be read, or one past the page's bounds.
  virtual std::optional<FormDrawing> Open(int32_t n) = 0;
};

// How the codes of one font of a level become glyphs: the selection that converts them, how a
// string splits into codes, and their widths.
struct GlyphFont {
  enum class Codes { kOneByte, kByCMap, kShiftJIS, kEUC, kTwoBytes };
  const FontSelection* selection = nullptr;
  const FontResource* resource = nullptr;  // none before any Tf
  const FontWidths* widths = nullptr;      // none: estimated
  Codes codes = Codes::kOneByte;
  bool composite = false;
  bool identity_cids = false;  // a two-byte code is its CID
  bool vertical = false;
  size_t code_texts = 0;  // where the placer keeps the texts of its codes
};

// Places the glyphs of one page: runs its content and the forms it draws with the full text and
// graphics state, and appends each glyph shown, with its origin and advance in default user
// space and its extracted text, to a PlacedPage. Lives for one page.
class GlyphPlacer final {
 public:
  // The most glyphs one page gives: a page of small print has some ten thousand; a page of
  // millions is hostile, and its glyphs past this are passed over.
  static constexpr size_t kMaxGlyphsPerPage = size_t{1} << 20;
  // How many q may save the state at once; past this q saves nothing (as the interpreter's).
  static constexpr size_t kMaxSavedStates = 256;
  // How deep forms may draw forms.
  static constexpr size_t kMaxFormDepth = 16;
  // What the caches of code texts of one page may keep: a page of thousands of kanji takes some
  // hundred kilobytes.
  static constexpr size_t kCodeTextBudget = size_t{8} << 20;

  // forms may be null: Do then draws nothing. The fonts given to Place, and those the forms
  // give, must outlive the placer.
  GlyphPlacer(PlacedPage& page, FontCache* cache, FormSource* forms,
              size_t max_glyphs = kMaxGlyphsPerPage);
  GlyphPlacer(const GlyphPlacer&) = delete;
  GlyphPlacer& operator=(const GlyphPlacer&) = delete;
  ~GlyphPlacer();

  // Runs one content buffer of the page, drawn with these fonts and XObjects, from the state
  // the buffers before it left. Raises nothing.
  void Place(std::string_view content, const FontList& fonts, const ResourceList* xobjects);

 private:
  struct LevelFonts;  // the fonts of a page or form, as Tf finds them
  struct Level {
    const LevelFonts* fonts;
    const ResourceList* xobjects;
  };

  const LevelFonts& FontsOf(const FontList& fonts);
  void Run(ByteStream& content, const Level& level);
  // Handles one operator other than OperateText's; false ends the content buffer. The cursor
  // reads content.
  bool Operate(std::string_view op, TokenCursor& tokens, ByteStream& content, const Level& level);
  // Handles the two-byte operator T<second>.
  void OperateText(char second, const Level& level);
  void ReadArray(ByteStream& content);
  void DrawForm(const Level& level);
  void SelectFont(const Level& level);
  void NextLine(double tx, double ty);
  void ShowString(std::string_view codes);
  void ShowArray();
  float DrawnSize(const Matrix& to_page, bool vertical);
  // The cache of the texts of the font's codes, on the font's first string of the page: the
  // one the font cache keeps for the extraction, or else one made for the page.
  CodeTextCache& OpenCodeTexts(const GlyphFont& font);
  // The last count numbers before the operator, when there are as many, all finite.
  bool TakeNumbers(size_t count, double* numbers) const;

  PlacedPage& page_;
  FontCache* cache_;
  FormSource* forms_;
  const size_t max_glyphs_;
  std::unordered_map<const FontList*, std::unique_ptr<LevelFonts>> level_fonts_;
  const FontSelection no_selection_;  // before any Tf: one byte a code, as single-byte text
  const GlyphFont no_font_{&no_selection_};
  // The texts of codes, by GlyphFont::code_texts: found on a font's first string, those the
  // font cache keeps for the extraction or else made for the page.
  std::vector<CodeTextCache*> code_texts_;
  size_t code_text_budget_ = kCodeTextBudget;
  std::vector<std::unique_ptr<CodeTextCache>> page_code_texts_;

  // What the last size drawn was worked out from (none at first: a NaN), and that size.
  struct SizeInputs {
    double a, b, c, d, font_size;
    bool vertical;
    bool operator==(const SizeInputs&) const = default;
  };
  SizeInputs last_size_inputs_{std::nan(""), 0, 0, 0, 0, false};
  float last_size_ = 0;

  TextGraphicsState state_;
  std::vector<TextGraphicsState> saved_;
  size_t saved_floor_ = 0;      // a form's Q does not restore what its parent saved
  int64_t unsaved_levels_ = 0;  // the q past kMaxSavedStates that their Q must pass over
  std::vector<int32_t> forms_on_path_;
  Matrix text_matrix_;
  Matrix line_matrix_;
  bool in_text_ = false;

  // The operands since the last operator: the numbers (the last eight kept, read when an
  // operator takes them: most numbers are those of paths; eight, a power of two, for a cheap
  // ring index, though no operator takes more than six), a name, a string, an array of
  // strings and numbers. Views of the buffer, which stays unchanged while it is run.
  std::string_view numbers_[8];
  size_t number_count_ = 0;
  std::string_view name_;
  std::string string_;
  struct ArrayItem {
    double adjustment;  // a number's; 0 for a string
    size_t begin;       // a string's bytes in array_bytes_
    size_t end;
  };
  std::vector<ArrayItem> array_;
  std::string array_bytes_;
};

}  // namespace lumenquill
