#include "layout/text_lines.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <span>

namespace lumenquill {
namespace {

// Thresholds in units of the larger glyph size (kRunMaxGap and kRunMaxOverlap in text_lines.h).
// On the same baseline: baselines within this. Fonts, rounding and rising or falling runs
// stay within a tenth of the size.
constexpr double kSameBaseline = 0.15;
// A glyph at most this share of its neighbour's size with its baseline within kScriptShift
// is a superscript or subscript and stays in the line (shifts are a third of the size or so).
constexpr double kScriptSizeRatio = 0.85;
constexpr double kScriptShift = 0.5;
// Runs whose baselines are within this of the band's first share a band: far less than the
// least line distance (1.0 for Japanese set solid, ruby a size above its base).
constexpr double kBandTolerance = 0.4;
// Runs of a band more than this apart are separate lines: table cells, columns side by side.
constexpr double kLineGap = 1.0;

struct Run {
  uint32_t begin;  // units [begin, end) in drawing order
  uint32_t end;
  double along_begin;
  double along_end;
  double across_low;
  double across_high;
  double key;
  double size;
  bool sorted;  // its units' along_begin never decreases in drawing order
};

// A run's place in a sort: the value sorted on beside the run's index, so that the sort moves
// 16 bytes and reads no run.
struct RunKey {
  double value;
  uint32_t run;
};

// A unit's place in the sort of an unordered line: its along_begin, then its place before the
// sort, so that the sort is stable and reads no unit.
struct UnitKey {
  double along_begin;
  uint32_t position;
  uint32_t unit;
};

bool ContinuesRun(const Run& run, const LayoutUnit& last, const LayoutUnit& next) {
  const double s = std::max(run.size, next.size);
  if (!ContinuesEveryRun(last.along_end, next.along_begin, s)) return false;
  const double shift = std::abs(next.key - run.key);
  if (shift <= kSameBaseline * s) return true;
  const bool sizes_differ = std::min(run.size, next.size) <= kScriptSizeRatio * s;
  return sizes_differ && shift <= kScriptShift * s;
}

// Widens a run or line to take in a part of it (a unit or run): its extent, and its key when
// the part is the largest yet.
template <typename Whole, typename Part>
void TakeIn(Whole& whole, const Part& part) {
  whole.along_begin = std::min(whole.along_begin, part.along_begin);
  whole.along_end = std::max(whole.along_end, part.along_end);
  whole.across_low = std::min(whole.across_low, part.across_low);
  whole.across_high = std::max(whole.across_high, part.across_high);
  if (part.size > whole.size) {
    whole.size = part.size;
    whole.key = part.key;
  }
}

void BuildRuns(const std::vector<LayoutUnit>& units, std::vector<Run>& runs) {
  runs.clear();
  if (units.empty()) return;
  // The run being built stays out of the buffer until it ends: kept in registers.
  const auto start = [&units](uint32_t i) {
    const LayoutUnit& u = units[i];
    return Run{i,     i + 1,  u.along_begin, u.along_end, u.across_low, u.across_high,
               u.key, u.size, true};
  };
  Run run = start(0);
  for (uint32_t i = 1; i < units.size(); ++i) {
    const LayoutUnit& u = units[i];
    const LayoutUnit& last = units[i - 1];
    if (ContinuesRun(run, last, u)) {
      run.end = i + 1;
      run.sorted = run.sorted && !(u.along_begin < last.last_begin);
      TakeIn(run, u);
      continue;
    }
    runs.push_back(run);
    run = start(i);
  }
  runs.push_back(run);
}

}  // namespace

void BuildTextLines(const std::vector<LayoutUnit>& units, TextLines& result) {
  // Kept from page to page, as page_arrangement.cpp keeps the rest.
  thread_local std::vector<Run> kept_runs;
  thread_local std::vector<RunKey> kept_order;
  thread_local std::vector<uint32_t> kept_line_runs;
  thread_local std::vector<UnitKey> kept_unit_keys;
  std::vector<Run>& runs = kept_runs;
  std::vector<RunKey>& order = kept_order;            // the runs, band after band
  std::vector<uint32_t>& line_runs = kept_line_runs;  // the runs of the line being built
  std::vector<UnitKey>& unit_keys = kept_unit_keys;
  BuildRuns(units, runs);
  order.resize(runs.size());
  for (uint32_t r = 0; r < runs.size(); ++r) order[r] = {runs[r].key, r};
  std::sort(order.begin(), order.end(), [](const RunKey& a, const RunKey& b) {
    if (a.value != b.value) return a.value > b.value;
    return a.run < b.run;
  });
  result.units.clear();
  result.lines.clear();
  result.band_starts.clear();
  result.band_keys.clear();
  result.units.reserve(units.size());
  const auto finish_line = [&](TextLine& line) {
    line.units_begin = static_cast<uint32_t>(result.units.size());
    // The line's runs are in along order; its units are too when each run's are and no run
    // starts before the last unit of the one before.
    bool sorted = true;
    for (size_t k = 0; k < line_runs.size(); ++k) {
      const Run& run = runs[line_runs[k]];
      sorted = sorted && run.sorted &&
               (k == 0 ||
                !(units[run.begin].along_begin < units[runs[line_runs[k - 1]].end - 1].last_begin));
      const size_t at = result.units.size();
      result.units.resize(at + (run.end - run.begin));
      std::iota(result.units.begin() + static_cast<std::ptrdiff_t>(at), result.units.end(),
                run.begin);
    }
    line.units_end = static_cast<uint32_t>(result.units.size());
    // Most lines arrive in order: the sort only for those that do not.
    if (!sorted) {
      line.reordered = true;
      const auto line_units = std::span(result.units).subspan(line.units_begin);
      unit_keys.resize(line_units.size());
      for (uint32_t k = 0; k < line_units.size(); ++k) {
        unit_keys[k] = {units[line_units[k]].along_begin, k, line_units[k]};
      }
      std::sort(unit_keys.begin(), unit_keys.end(), [](const UnitKey& a, const UnitKey& b) {
        if (a.along_begin != b.along_begin) return a.along_begin < b.along_begin;
        return a.position < b.position;
      });
      for (uint32_t k = 0; k < line_units.size(); ++k) line_units[k] = unit_keys[k].unit;
    }
    result.lines.push_back(line);
    line_runs.clear();
  };
  for (size_t band_begin = 0; band_begin < order.size();) {
    const Run& anchor = runs[order[band_begin].run];
    size_t band_end = band_begin + 1;
    while (band_end < order.size()) {
      const Run& run = runs[order[band_end].run];
      if (anchor.key - run.key > kBandTolerance * std::max(anchor.size, run.size)) break;
      ++band_end;
    }
    const auto band = std::span(order).subspan(band_begin, band_end - band_begin);
    for (RunKey& key : band) key.value = runs[key.run].along_begin;
    std::sort(band.begin(), band.end(), [](const RunKey& a, const RunKey& b) {
      if (a.value != b.value) return a.value < b.value;
      return a.run < b.run;
    });
    result.band_starts.push_back(static_cast<uint32_t>(result.lines.size()));
    result.band_keys.push_back(anchor.key);
    TextLine line;
    for (size_t k = band_begin; k < band_end; ++k) {
      const Run& run = runs[order[k].run];
      if (!line_runs.empty() &&
          run.along_begin > line.along_end + kLineGap * std::max(line.size, run.size)) {
        finish_line(line);
      }
      if (line_runs.empty()) {
        line = {0,       0,       run.along_begin, run.along_end, run.across_low, run.across_high,
                run.key, run.size};
      } else {
        TakeIn(line, run);
      }
      line_runs.push_back(order[k].run);
    }
    finish_line(line);
    band_begin = band_end;
  }
  result.band_starts.push_back(static_cast<uint32_t>(result.lines.size()));
  ReleaseIfHuge(runs);
  ReleaseIfHuge(order);
  ReleaseIfHuge(line_runs);
  ReleaseIfHuge(unit_keys);
}

size_t FirstBandAtOrBelow(const TextLines& lines, double key) {
  const auto at = std::partition_point(lines.band_keys.begin(), lines.band_keys.end(),
                                       [key](double band_key) { return band_key > key; });
  return static_cast<size_t>(at - lines.band_keys.begin());
}

uint32_t LineOfBandAt(const TextLines& lines, size_t band, double along, double slack) {
  // A band's lines are in along order and apart.
  const auto begin = lines.lines.begin() + lines.band_starts[band];
  const auto end = lines.lines.begin() + lines.band_starts[band + 1];
  const auto after = std::partition_point(
      begin, end, [along](const TextLine& line) { return line.along_begin <= along; });
  if (after != begin && (after - 1)->along_end + slack * (after - 1)->size >= along)
    return static_cast<uint32_t>(after - 1 - lines.lines.begin());
  if (after != end && after->along_begin - slack * after->size <= along)
    return static_cast<uint32_t>(after - lines.lines.begin());
  return kNoLine;
}

}  // namespace lumenquill
