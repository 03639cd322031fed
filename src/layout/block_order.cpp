#include "layout/block_order.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace lumenquill {
namespace {

// In units of the median glyph size of the part being cut.
// Columns of running text: a gutter at least this wide (narrower gaps are word spaces, which
// never make separate lines, see text_lines.cpp) ...
constexpr double kMinGutter = 1.0;
// ... between parts at least this wide (ten characters or more), each of two lines or more
// that fill it on average to this share. Table cells are narrow, or short in wide cells.
constexpr double kMinColumnWidth = 8.0;
constexpr size_t kMinColumnLines = 2;
constexpr double kMinColumnFill = 0.6;
// Across the lines the part is cut at its widest gaps: those at least this share of the
// widest, so that a heading leaves first and table rows of even spacing all at once.
constexpr double kWideGapShare = 0.8;
// Lines set solid (Japanese, tables) touch across; their cores, without this share of the
// size at either side (descenders, the top of capitals and ideographs), stand apart.
constexpr double kCoreMargin = 0.1;
// Each cut leaves smaller parts, but a page drawn to nest them could make the depth linear:
// deeper parts are read line by line.
constexpr int kMaxDepth = 40;

using Span = std::span<uint32_t>;

class BlockOrderer {
 public:
  explicit BlockOrderer(const std::vector<TextLine>& lines) : lines_(lines) {}

  void Order(Span ids, int depth, std::vector<uint32_t>& out) {
    if (ids.size() > 1 && depth < kMaxDepth) {
      const double em = MedianSize(ids);
      if (CutIntoColumns(ids, em, depth, out) || CutAcross(ids, depth, out) ||
          CutAlong(ids, 0, depth, out))
        return;
    }
    std::sort(ids.begin(), ids.end(), [this](uint32_t a, uint32_t b) {
      if (lines_[a].key != lines_[b].key) return lines_[a].key > lines_[b].key;
      return lines_[a].along_begin < lines_[b].along_begin;
    });
    out.insert(out.end(), ids.begin(), ids.end());
  }

 private:
  double MedianSize(Span ids) {
    sizes_.clear();
    for (uint32_t id : ids) sizes_.push_back(lines_[id].size);
    const auto middle = sizes_.begin() + static_cast<std::ptrdiff_t>(sizes_.size() / 2);
    std::nth_element(sizes_.begin(), middle, sizes_.end());
    return *middle;
  }

  // The parts of ids (sorted along) separated by gaps wider than min_gap: their first indices.
  std::vector<size_t> PartsAlong(Span ids, double min_gap) {
    std::sort(ids.begin(), ids.end(), [this](uint32_t a, uint32_t b) {
      return lines_[a].along_begin < lines_[b].along_begin;
    });
    std::vector<size_t> starts{0};
    double reach = lines_[ids[0]].along_end;
    for (size_t k = 1; k < ids.size(); ++k) {
      const TextLine& line = lines_[ids[k]];
      if (line.along_begin > reach + min_gap) starts.push_back(k);
      reach = std::max(reach, line.along_end);
    }
    return starts;
  }

  bool IsColumn(Span part, double em) {
    if (part.size() < kMinColumnLines) return false;
    double begin = lines_[part[0]].along_begin, end = lines_[part[0]].along_end, filled = 0;
    for (uint32_t id : part) {
      begin = std::min(begin, lines_[id].along_begin);
      end = std::max(end, lines_[id].along_end);
      filled += lines_[id].along_end - lines_[id].along_begin;
    }
    const double width = end - begin;
    return width >= kMinColumnWidth * em && filled >= kMinColumnFill * width * part.size();
  }

  bool CutIntoColumns(Span ids, double em, int depth, std::vector<uint32_t>& out) {
    const std::vector<size_t> starts = PartsAlong(ids, kMinGutter * em);
    if (starts.size() < 2) return false;
    for (size_t p = 0; p < starts.size(); ++p) {
      if (!IsColumn(Part(ids, starts, p), em)) return false;
    }
    OrderParts(ids, starts, depth, out);
    return true;
  }

  bool CutAlong(Span ids, double min_gap, int depth, std::vector<uint32_t>& out) {
    const std::vector<size_t> starts = PartsAlong(ids, min_gap);
    if (starts.size() < 2) return false;
    OrderParts(ids, starts, depth, out);
    return true;
  }

  double CoreLow(uint32_t id) const {
    return lines_[id].across_low + kCoreMargin * lines_[id].size;
  }
  double CoreHigh(uint32_t id) const {
    return lines_[id].across_high - kCoreMargin * lines_[id].size;
  }

  bool CutAcross(Span ids, int depth, std::vector<uint32_t>& out) {
    std::sort(ids.begin(), ids.end(),
              [this](uint32_t a, uint32_t b) { return CoreHigh(a) > CoreHigh(b); });
    gaps_.assign(ids.size(), 0);
    double reach = CoreLow(ids[0]), widest = 0;
    for (size_t k = 1; k < ids.size(); ++k) {
      gaps_[k] = reach - CoreHigh(ids[k]);
      widest = std::max(widest, gaps_[k]);
      reach = std::min(reach, CoreLow(ids[k]));
    }
    if (!(widest > 0)) return false;
    std::vector<size_t> starts{0};
    for (size_t k = 1; k < ids.size(); ++k) {
      if (gaps_[k] > 0 && gaps_[k] >= kWideGapShare * widest) starts.push_back(k);
    }
    OrderParts(ids, starts, depth, out);
    return true;
  }

  // Reads the parts of a cut one after the other, each ordered in turn.
  void OrderParts(Span ids, const std::vector<size_t>& starts, int depth,
                  std::vector<uint32_t>& out) {
    for (size_t p = 0; p < starts.size(); ++p) Order(Part(ids, starts, p), depth + 1, out);
  }

  static Span Part(Span ids, const std::vector<size_t>& starts, size_t p) {
    const size_t end = p + 1 < starts.size() ? starts[p + 1] : ids.size();
    return ids.subspan(starts[p], end - starts[p]);
  }

  const std::vector<TextLine>& lines_;
  std::vector<double> sizes_;
  std::vector<double> gaps_;
};

}  // namespace

std::vector<uint32_t> BlockOrder(const std::vector<TextLine>& lines, std::vector<uint32_t> ids) {
  std::vector<uint32_t> out;
  out.reserve(ids.size());
  BlockOrderer(lines).Order(ids, 0, out);
  return out;
}

}  // namespace lumenquill
