#include "layout/ruby_attachment.h"

#include <algorithm>
#include <cstddef>

namespace lumenquill {
namespace {

// Ruby is set at half its base's size or so; superscripts, which stay in their line, at two
// thirds or more.
constexpr double kRubySizeRatio = 0.6;
// The ruby's lower edge stands across from the base's key (baseline, or centre of a column)
// between these, in base sizes: above the base's middle (superscripts reach lower, see
// text_lines.cpp) and no further than a small gap past the base's top.
constexpr double kRubyLowest = 0.3;
constexpr double kRubyHighest = 1.3;
// The base line is looked for in this many bands after the ruby's own: the next, or one more
// where a superscript or a stray glyph makes a band of its own. A bound, so that the search
// stays logarithmic on any page.
constexpr size_t kBandsSearched = 3;
// The last base character the ruby reads is the last it reaches into by at least this (in base
// sizes): a ruby kana centred over its character covers half of it, one spread over two
// characters half of each, and ruby overhangs the next character by a quarter at most.
constexpr double kCoverShare = 0.4;

bool IsRubyOf(const TextLine& ruby, const TextLine& base) {
  return ruby.size <= kRubySizeRatio * base.size &&
         ruby.across_low >= base.key + kRubyLowest * base.size &&
         ruby.across_low <= base.key + kRubyHighest * base.size;
}

RubyAttachment Attach(const std::vector<LayoutUnit>& units, const TextLines& lines,
                      uint32_t base_index, uint32_t ruby_index) {
  const TextLine& base = lines.lines[base_index];
  const TextLine& ruby = lines.lines[ruby_index];
  const auto begin = lines.units.begin() + base.units_begin;
  const auto end = lines.units.begin() + base.units_end;
  const auto past = std::partition_point(begin, end, [&](uint32_t u) {
    return units[u].along_begin + kCoverShare * base.size <= ruby.along_end;
  });
  const auto last = static_cast<uint32_t>(std::max(past - begin, std::ptrdiff_t{1}) - 1);
  return {base_index, ruby_index, last};
}

}  // namespace

std::vector<RubyAttachment> FindRuby(const std::vector<LayoutUnit>& units, const TextLines& lines) {
  std::vector<RubyAttachment> attachments;
  const size_t bands = lines.band_keys.size();
  for (size_t band = 0; band < bands; ++band) {
    for (uint32_t r = lines.band_starts[band]; r < lines.band_starts[band + 1]; ++r) {
      const TextLine& ruby = lines.lines[r];
      const double centre = (ruby.along_begin + ruby.along_end) / 2;
      for (size_t below = band + 1; below < bands && below <= band + kBandsSearched; ++below) {
        const uint32_t b = LineOfBandAt(lines, below, centre);
        if (b != kNoLine && IsRubyOf(ruby, lines.lines[b])) {
          attachments.push_back(Attach(units, lines, b, r));
          break;
        }
      }
    }
  }
  std::sort(attachments.begin(), attachments.end(),
            [&lines](const RubyAttachment& a, const RubyAttachment& b) {
              if (a.base != b.base) return a.base < b.base;
              if (a.last != b.last) return a.last < b.last;
              return lines.lines[a.ruby].along_begin < lines.lines[b.ruby].along_begin;
            });
  return attachments;
}

}  // namespace lumenquill
