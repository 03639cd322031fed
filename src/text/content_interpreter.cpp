#include "text/content_interpreter.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "codes/code_helpers.h"
#include "codes/predefined_conversion.h"
#include "reader/decimal_text.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"
#include "text/dictionary_operand.h"
#include "text/inline_image.h"
#include "text/number_to_int.h"

namespace lumenquill {
namespace {

// A TJ number below this, in thousandths of the font size, is a gap between words.
constexpr int32_t kWordGapKerning = -100;

bool OpensString(std::string_view token) { return token[0] == '(' || token[0] == '<'; }

// The distance between two coordinates, in 64 bits so that no difference overflows.
int64_t Distance(int32_t a, int32_t b) { return std::llabs(int64_t{a} - b); }

}  // namespace

ContentInterpreter::ContentInterpreter(const InterpreterOptions& options, const FontList& fonts,
                                       FontCache* cache)
    : options_(options), font_index_(FontNamesOf(fonts)), font_selections_(fonts, cache) {}

void ContentInterpreter::Run(ByteStream& content, std::string& output) {
  try {
    for (;;) {
      const std::string_view token = NextTokenOrEnd(content);
      if (token.empty()) return;  // the end of the buffer
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

// A name no font of the list has leaves the selected font as it is.
void ContentInterpreter::SelectFont(std::string_view name) {
  const int32_t found = font_index_.Find(name);
  if (found >= 0 && found != current_font_) UseFont(found);
}

void ContentInterpreter::UseFont(int32_t index) {
  current_font_ = index;
  selected_ = index < 0 ? &no_font_ : &font_selections_[static_cast<size_t>(index)];
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
  num_a_ = {};
  num_b_ = {};
  next_slot_a_ = true;
  number_count_ = 0;
  scale_x_ = scale_y_ = 1;  // BT starts with the identity matrix
  // Every token of a text object comes here, read in one pass over the buffer's bytes: one
  // switch on the token's first byte finds what it is and how far it runs (a delimiter is a
  // token of one byte; any other token runs to the next delimiter; operators are compared
  // whole). Strings are read from the bytes too. The stream follows the cursor only where
  // another reader takes over, and wherever that reader stops (also by raising) is where the
  // cursor goes on or the text object ends.
  TokenCursor tokens(content);
  const auto hand_over = [&tokens](const auto& read) {
    tokens.Sync();
    read();
    tokens.Resume();
  };
  try {
    for (;;) {
      const char* const end = tokens.End();
      const char* const start = SkipTokenWhiteSpace(tokens.Cursor(), end);
      if (start == end) break;  // the end of the buffer
      const char* stop = start + 1;
      // A token that runs into the end of the buffer, with no delimiter after it, is no token:
      // the buffer ends there.
      const auto regular_token = [&] {
        stop = RegularTokenEnd(start, end);
        return stop != nullptr;
      };
      const auto token = [&] { return std::string_view(start, static_cast<size_t>(stop - start)); };
      switch (*start) {
        case '%':
          tokens.MoveTo(stop);
          hand_over([&] { SkipLine(content); });
          continue;
        case '(':
        case '<':
          NoteOperator(token());
          if (*start == '<' && stop != end && *stop == '<') {
            tokens.MoveTo(stop + 1);
            hand_over(
                [&] { SkipDictionary(content); });  // marked-content properties are never output
          } else {
            tokens.MoveTo(OutputString(*start, stop, end, output, true));
          }
          continue;
        case '[':
          NoteOperator(token());
          tokens.MoveTo(stop);
          hand_over([&] { ReadTextArray(content, output); });
          continue;
        case ')':
        case '>':
        case ']':
          NoteOperator(token());
          tokens.MoveTo(stop);
          continue;
        case '/':
          if (!regular_token()) break;
          NoteName(token());
          tokens.MoveTo(stop);
          continue;
        case '+':
        case '-':
        case '.':
        case '0':
        case '1':
        case '2':
        case '3':
        case '4':
        case '5':
        case '6':
        case '7':
        case '8':
        case '9':
          if (!regular_token()) break;
          NoteNumber();
          NoteNumberOperand(token());
          tokens.MoveTo(stop);
          continue;
        case 'T':
          if (!regular_token()) break;
          tokens.MoveTo(stop);
          NoteOperator(token());
          if (stop - start != 2) continue;
          switch (start[1]) {  // the T operators are two bytes, told apart by the second
            case '*':
              WriteLineBreakAlongText(output);
              break;
            case 'd':
            case 'D':
              ApplyPositioning(output, Move::kRelative);
              break;
            case 'm':
              SetTextMatrixScale();
              ApplyPositioning(output, Move::kAbsolute);
              break;
            default:
              break;
          }
          continue;
        case 'E':
        case 'e':
          if (!regular_token()) break;
          tokens.MoveTo(stop);
          NoteOperator(token());
          if (Is(token(), "ET") || Is(token(), "endobj")) {
            tokens.Sync();
            return;
          }
          continue;
        default:
          if (!regular_token()) break;
          tokens.MoveTo(stop);
          NoteOperator(token());
          continue;
      }
      break;  // only a token that ran into the end comes here
    }
    tokens.MoveTo(tokens.End());
    tokens.Sync();
  } catch (const Error&) {
    // A damaged text object ends here; the content loop goes on.
  }
}

void ContentInterpreter::ReadTextArray(ByteStream& content, std::string& output) {
  for (;;) {
    const std::string_view token = NextToken(content);
    if (Is(token, "]")) return;
    if (Is(token, "%")) {
      SkipLine(content);
    } else if (OpensString(token)) {
      const std::string_view rest = content.Rest();
      const char* end = rest.data() + rest.size();
      content.Move(OutputString(token[0], rest.data(), end, output, false) - rest.data());
    } else if (IsNumberToken(token) && NumberToInt(token).value_or(0) < kWordGapKerning) {
      output.push_back(' ');
    }
  }
}

void ContentInterpreter::WriteLineBreakAlongText(std::string& output) const {
  if (options_.line_break_mode == 1 && selected_->horizontal) output += options_.new_line_code;
}

// Td, TD and Tm compare their last two numbers with those of the previous positioning
// operator of the buffer: a move across the writing direction of at least the threshold, or a
// move back of at least the threshold, starts a new line. A relative move is measured in the
// unit of the text matrix, so that 0 -1.5 Td under 12 0 0 12 x y Tm counts as the 18-point
// move it is.
void ContentInterpreter::ApplyPositioning(std::string& output, Move move) {
  if (options_.line_break_mode == 0) return;
  if (!next_slot_a_) std::swap(num_a_, num_b_);
  // A missing number (an empty slot) converts to nothing, like one that is no number.
  const bool scaled = move == Move::kRelative;
  const std::optional<int32_t> x = ScaledNumberToInt(num_a_, scaled ? scale_x_ : 1);
  const std::optional<int32_t> y = ScaledNumberToInt(num_b_, scaled ? scale_y_ : 1);
  if (x && y && prev_x_ && prev_y_) {
    const int32_t t = options_.line_threshold;
    const bool vertical_move = *y != 0 && (Distance(*y, *prev_y_) >= t || *y <= -t);
    const bool horizontal_move = *x != 0 && (Distance(*x, *prev_x_) >= t || *x <= -t);
    if (selected_->horizontal ? vertical_move : horizontal_move) output += options_.new_line_code;
  }
  prev_x_ = x;
  prev_y_ = y;
}

// The lengths of the matrix's x and y unit vectors, from a b c d of a b c d e f Tm; a Tm with
// fewer numbers, or with one that is no number, leaves them as they were.
void ContentInterpreter::SetTextMatrixScale() {
  if (number_count_ < kMatrixNumbers) return;
  double abcd[4];
  for (size_t k = 0; k < 4; ++k) {
    // The sixth number before the operator is a.
    const size_t index = (number_count_ - kMatrixNumbers + k) & (recent_numbers_.size() - 1);
    const std::optional<double> value = DecimalToDouble(recent_numbers_[index]);
    if (!value) return;
    abcd[k] = *value;
  }
  scale_x_ = std::hypot(abcd[0], abcd[1]);
  scale_y_ = std::hypot(abcd[2], abcd[3]);
}

const char* ContentInterpreter::OutputString(char opening, const char* cursor, const char* end,
                                             std::string& output, bool in_text_object) {
  string_buffer_.clear();
  cursor = opening == '<' ? ReadHexString(cursor, end, string_buffer_)
                          : ReadLiteralString(cursor, end, string_buffer_);
  if (in_text_object) {  // a look at the operator after the string, the cursor kept
    const char* look = SkipTokenWhiteSpace(cursor, end);
    const bool quote_operator = look != end && (*look == '\'' || *look == '"') && look + 1 != end &&
                                IsTokenDelimiter(static_cast<uint8_t>(look[1]));
    if (quote_operator) WriteLineBreakAlongText(output);
  }
  if (!string_buffer_.empty()) selected_->Convert(string_buffer_, output);
  return cursor;
}

}  // namespace lumenquill
