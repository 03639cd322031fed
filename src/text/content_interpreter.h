#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "content/font_resource.h"
#include "reader/memory_stream.h"
#include "reader/reading_primitives.h"
#include "text/font_cache.h"
#include "text/font_name_index.h"
#include "text/font_selection.h"

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
  // and holds it, else built here and owned by the interpreter. The fonts must outlive the
  // interpreter: Tf looks their names up where they stand.
  ContentInterpreter(const InterpreterOptions& options, const FontList& fonts,
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
  // by the name operand just before its size. The text object's loop, which knows each token's
  // kind from its first byte, calls the three notes itself.
  void FollowOperands(std::string_view token) {
    if (token[0] == '/') {
      NoteName(token);
    } else if (IsNumberToken(token)) {
      NoteNumber();
    } else {
      NoteOperator(token);
    }
  }
  // A name followed by one number makes the pair; any other token takes it apart, so that a Tf
  // with other operands between its name and size selects nothing.
  void NoteName(std::string_view token) {
    name_operand_ = token;
    font_operands_ = FontOperands::kName;
  }
  void NoteNumber() {
    font_operands_ =
        font_operands_ == FontOperands::kName ? FontOperands::kNameAndSize : FontOperands::kNone;
  }
  void NoteOperator(std::string_view token) {
    if (font_operands_ == FontOperands::kNameAndSize && token.size() == 2 && token[0] == 'T' &&
        token[1] == 'f') {
      SelectFont(name_operand_);
    }
    font_operands_ = FontOperands::kNone;
  }
  void SelectFont(std::string_view name);
  void UseFont(int32_t index);
  void SaveFont();
  void RestoreFont();
  void DecodeTextObject(ByteStream& content, std::string& output);
  void ReadTextArray(ByteStream& content, std::string& output);
  // A Td or TD moves by its operands in text space, which the text matrix scales; a Tm sets
  // the matrix and is compared by its translation.
  enum class Move { kRelative, kAbsolute };
  void ApplyPositioning(std::string& output, Move move);
  void SetTextMatrixScale();
  void WriteLineBreakAlongText(std::string& output) const;
  // Converts the string whose body starts at cursor, after its opening byte ( or <, and returns
  // where the string ended; in a text object, before a ' or " operator, which move to the next
  // line first, the line break comes before the string's text.
  const char* OutputString(char opening, const char* cursor, const char* end, std::string& output,
                           bool in_text_object);

  const InterpreterOptions& options_;
  FontNameIndex font_index_;  // Tf selects by name
  FontSelections font_selections_;

  // The operands seen since the last operator, as far as Tf cares: a name, then one number.
  enum class FontOperands { kNone, kName, kNameAndSize };
  FontOperands font_operands_ = FontOperands::kNone;
  // Operands are views of the content buffer, which stays unchanged while Run reads it.
  std::string_view name_operand_;

  int32_t current_font_ = -1;  // the index of the selected font; -1 for none
  std::vector<int32_t> saved_fonts_;
  int64_t unsaved_levels_ = 0;   // the q past kMaxSavedFonts that their Q must pass over
  const FontSelection no_font_;  // with no font, as before any Tf: strings are single-byte text
  const FontSelection* selected_ = &no_font_;  // the selected font's, or no_font_
  // The last two numbers of the previous positioning operator, as integers.
  std::optional<int32_t> prev_x_;
  std::optional<int32_t> prev_y_;
  std::string string_buffer_;

  // The two slots that receive the numbers of the current text object alternately.
  std::string_view num_a_;
  std::string_view num_b_;
  bool next_slot_a_ = true;
  // The last numbers of the current text object, at number_count_ modulo the size (a power of
  // two, so that the slot is a mask), for the six numbers of a Tm.
  static constexpr size_t kMatrixNumbers = 6;
  std::array<std::string_view, 8> recent_numbers_;
  size_t number_count_ = 0;
  // Keeps a number of the text object for the positioning operators and Tm.
  void NoteNumberOperand(std::string_view token) {
    (next_slot_a_ ? num_a_ : num_b_) = token;
    next_slot_a_ = !next_slot_a_;
    recent_numbers_[number_count_++ & (recent_numbers_.size() - 1)] = token;
  }
  // The length of a text-space unit along x and along y, by the last Tm of the text object:
  // producers that set the font size in the matrix (12 0 0 12 x y Tm) move in units of it.
  double scale_x_ = 1;
  double scale_y_ = 1;
};

}  // namespace lumenquill
