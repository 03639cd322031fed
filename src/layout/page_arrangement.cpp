#include "layout/page_arrangement.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "layout/block_order.h"
#include "layout/layout_units.h"
#include "layout/ruby_attachment.h"
#include "layout/tate_chu_yoko.h"
#include "layout/text_lines.h"

namespace lumenquill {
namespace {

// A line read right after one on the same baseline (this share of the larger size apart at
// most) and further along, as the cells of a table row, continues it after a space.
constexpr double kSameRow = 0.2;

// The lines of one writing direction, with what the options make of their ruby.
class DirectionWriter {
 public:
  // attachments: the ruby of the lines, as FindRuby finds it.
  DirectionWriter(const PlacedPage& page, const ArrangementOptions& options,
                  const std::vector<LayoutUnit>& units, const TextLines& lines,
                  std::vector<RubyAttachment> attachments)
      : page_(page),
        options_(options),
        units_(units),
        lines_(lines),
        attachments_(std::move(attachments)) {
    is_ruby_.assign(lines.lines.size(), false);
    for (const RubyAttachment& attachment : attachments_) is_ruby_[attachment.ruby] = true;
  }

  void Write(std::string& output, std::vector<ArrangedLine>* arranged) {
    std::vector<uint32_t> ids;
    ids.reserve(lines_.lines.size());
    for (uint32_t id = 0; id < lines_.lines.size(); ++id) {
      if (options_.ruby == RubyHandling::kAsDrawn || !is_ruby_[id]) ids.push_back(id);
    }
    for (uint32_t id : BlockOrder(lines_.lines, std::move(ids))) {
      if (is_ruby_[id]) {  // as drawn
        Emit(id, output, arranged);
        continue;
      }
      // The attachments are sorted by base; find this line's (lines are read in any order).
      const auto first =
          std::lower_bound(attachments_.begin(), attachments_.end(), id,
                           [](const RubyAttachment& a, uint32_t base) { return a.base < base; });
      auto last = first;
      while (last != attachments_.end() && last->base == id) ++last;
      Emit(id, output, arranged, static_cast<size_t>(first - attachments_.begin()),
           static_cast<size_t>(last - attachments_.begin()));
      if (options_.ruby == RubyHandling::kAsDrawn) continue;
      for (auto a = first; arranged && a != last; ++a) {
        std::string ruby_text;
        AppendLineText(a->ruby, ruby_text);
        arranged->push_back(Arranged(a->ruby, std::move(ruby_text)));
      }
    }
    if (open_line_ != kNoLine) output += options_.new_line;
  }

 private:
  void Emit(uint32_t id, std::string& output, std::vector<ArrangedLine>* arranged,
            size_t attachments_begin = 0, size_t attachments_end = 0) {
    if (open_line_ != kNoLine) output += SameRow(open_line_, id) ? " " : options_.new_line;
    const size_t text_begin = output.size();
    AppendLineText(id, output, attachments_begin, attachments_end);
    open_line_ = id;
    if (arranged) arranged->push_back(Arranged(id, output.substr(text_begin)));
  }

  bool SameRow(uint32_t before, uint32_t after) const {
    const TextLine& a = lines_.lines[before];
    const TextLine& b = lines_.lines[after];
    return std::abs(a.key - b.key) <= kSameRow * std::max(a.size, b.size) &&
           b.along_begin > a.along_end;
  }

  ArrangedLine Arranged(uint32_t id, std::string text) const {
    const TextLine& line = lines_.lines[id];
    ArrangedLine arranged;
    const bool vertical = units_[lines_.units[line.units_begin]].vertical;
    if (vertical) {  // along is downward, across rightward
      arranged.box = {static_cast<float>(line.across_low), static_cast<float>(-line.along_end),
                      static_cast<float>(line.across_high), static_cast<float>(-line.along_begin)};
    } else {
      arranged.box = {static_cast<float>(line.along_begin), static_cast<float>(line.across_low),
                      static_cast<float>(line.along_end), static_cast<float>(line.across_high)};
    }
    arranged.vertical = vertical;
    arranged.ruby = is_ruby_[id];
    arranged.text = std::move(text);
    return arranged;
  }

  // Appends the line's text to text, with each ruby in 《》 after the base characters it reads
  // when the options ask for that.
  void AppendLineText(uint32_t id, std::string& text, size_t attachments_begin = 0,
                      size_t attachments_end = 0) {
    const TextLine& line = lines_.lines[id];
    const uint32_t* const order = lines_.units.data() + line.units_begin;
    const uint32_t count = line.units_end - line.units_begin;
    const char* const page_text = page_.text.data();
    const bool bracket = options_.ruby == RubyHandling::kBracket;
    size_t a = attachments_begin;
    // The page's text not yet copied, from pending_begin to pending_end: units drawn one after
    // the other without a space between them are copied at once.
    uint32_t pending_begin = 0, pending_end = 0;
    const LayoutUnit* previous = nullptr;
    for (uint32_t k = 0; k < count; ++k) {
      const LayoutUnit& unit = units_[order[k]];
      const bool space = previous && NeedsWordSpace(*previous, unit);
      if (space || unit.text_begin != pending_end) {
        text.append(page_text + pending_begin, pending_end - pending_begin);
        if (space) text += ' ';
        pending_begin = unit.text_begin;
      }
      pending_end = unit.text_end;
      previous = &unit;
      for (; bracket && a < attachments_end && attachments_[a].last == k; ++a) {
        text.append(page_text + pending_begin, pending_end - pending_begin);
        pending_begin = pending_end;
        text += "《";
        AppendLineText(attachments_[a].ruby, text);
        text += "》";
      }
    }
    text.append(page_text + pending_begin, pending_end - pending_begin);
  }

  const PlacedPage& page_;
  const ArrangementOptions& options_;
  const std::vector<LayoutUnit>& units_;
  const TextLines& lines_;
  std::vector<RubyAttachment> attachments_;
  std::vector<bool> is_ruby_;
  uint32_t open_line_ = kNoLine;  // the line written last, its line end not yet
};

// Splits the joined units of the lines that place their glyphs one by one: those whose units
// were sorted, and those that ruby attaches to a glyph of. False when none has a unit to split.
bool SplitUnitsOfGlyphLines(const PlacedPage& page, const TextLines& lines,
                            const std::vector<RubyAttachment>& ruby,
                            std::vector<LayoutUnit>& units) {
  std::vector<bool> split;
  const auto mark = [&](const TextLine& line) {
    if (split.empty()) split.assign(units.size(), false);
    for (uint32_t k = line.units_begin; k < line.units_end; ++k) split[lines.units[k]] = true;
  };
  for (const TextLine& line : lines.lines) {
    if (line.reordered) mark(line);
  }
  for (const RubyAttachment& attachment : ruby) mark(lines.lines[attachment.base]);
  if (split.empty()) return false;
  SplitUnits(page, split, units);
  return true;
}

}  // namespace

void ArrangePage(const PlacedPage& page, const ArrangementOptions& options, std::string& output,
                 std::vector<ArrangedLine>* lines) {
  // Kept from page to page: a page allocates little once an as large one has been read.
  thread_local PageUnits units;
  thread_local TextLines horizontal;
  thread_local TextLines vertical;
  // Glyphs joined into units read as they would one by one, but for the lines that sort their
  // units or take ruby: those get them one by one and are read again.
  const bool joined = MakeLayoutUnits(page, units, true);
  if (!joined) MakeLayoutUnits(page, units, false);
  BuildTextLines(units.vertical, vertical);
  if (MoveTateChuYoko(units, vertical)) BuildTextLines(units.vertical, vertical);
  BuildTextLines(units.horizontal, horizontal);
  std::vector<RubyAttachment> horizontal_ruby = FindRuby(units.horizontal, horizontal);
  if (joined && SplitUnitsOfGlyphLines(page, horizontal, horizontal_ruby, units.horizontal)) {
    BuildTextLines(units.horizontal, horizontal);
    horizontal_ruby = FindRuby(units.horizontal, horizontal);
  }
  DirectionWriter horizontal_writer(page, options, units.horizontal, horizontal,
                                    std::move(horizontal_ruby));
  DirectionWriter vertical_writer(page, options, units.vertical, vertical,
                                  FindRuby(units.vertical, vertical));
  // The page's main writing direction is read first; the other (a horizontal header over
  // vertical text, a vertical label beside horizontal text) after it.
  if (units.vertical.size() > units.horizontal.size()) {
    vertical_writer.Write(output, lines);
    horizontal_writer.Write(output, lines);
  } else {
    horizontal_writer.Write(output, lines);
    vertical_writer.Write(output, lines);
  }
  for (std::vector<LayoutUnit>* buffer : {&units.horizontal, &units.vertical}) {
    ReleaseIfHuge(*buffer);
  }
  for (TextLines* buffer : {&horizontal, &vertical}) {
    ReleaseIfHuge(buffer->units);
    ReleaseIfHuge(buffer->lines);
    ReleaseIfHuge(buffer->band_starts);
    ReleaseIfHuge(buffer->band_keys);
  }
}

}  // namespace lumenquill
