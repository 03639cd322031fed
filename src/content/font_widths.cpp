#include "content/font_widths.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace lumenquill {
namespace {

struct StandardFace {
  const char* name;
  std::array<uint16_t, 95> ascii;  // U+0020 to U+007E, in thousandths
};

constexpr StandardFace kStandardFaces[] = {
#include "content/standard_font_widths.inc"
};

// Names under which writers ask for the standard faces without widths.
constexpr std::pair<const char*, const char*> kFaceAliases[] = {
    {"Helvetica-Oblique", "Helvetica"},
    {"Helvetica-BoldOblique", "Helvetica-Bold"},
    {"Arial", "Helvetica"},
    {"ArialMT", "Helvetica"},
    {"Arial,Bold", "Helvetica-Bold"},
    {"Arial-BoldMT", "Helvetica-Bold"},
    {"Times", "Times-Roman"},
    {"TimesNewRoman", "Times-Roman"},
    {"TimesNewRomanPSMT", "Times-Roman"},
    {"TimesNewRoman,Bold", "Times-Bold"},
    {"TimesNewRomanPS-BoldMT", "Times-Bold"},
};

constexpr float kCourierWidth = 0.6F;
constexpr float kUnknownFaceWidth = 0.5F;

// The value, followed when it is a reference, as a finite number; nothing for anything else.
std::optional<double> FiniteNumber(const PdfValue& value, ObjectResolver& objects) {
  const std::optional<double> number = objects.Resolve(value).Number();
  if (!number || !std::isfinite(*number)) return std::nullopt;
  return number;
}

std::optional<double> NumberOf(const std::optional<PdfValue>& value, ObjectResolver& objects) {
  return value ? FiniteNumber(*value, objects) : std::nullopt;
}

std::optional<PdfArray> ArrayOf(const std::optional<PdfValue>& value, ObjectResolver& objects) {
  if (!value) return std::nullopt;
  const PdfValue resolved = objects.Resolve(*value);
  if (const PdfArray* array = resolved.Array()) return *array;
  return std::nullopt;
}

// A CID as /W and /W2 write it: a whole number in 0 to 2^32 - 1.
std::optional<uint32_t> CIDOf(const PdfValue& value) {
  const std::optional<double> number = value.Number();
  if (!number || !(*number >= 0 && *number <= 4294967295.0)) return std::nullopt;
  return static_cast<uint32_t>(*number);
}

// Reads /W (stride 1: each CID one width) or /W2 (stride 3: w1y vx vy), keeping the first value
// of each group, in thousandths: "c [v ...]" gives consecutive CIDs from c, "first last v ..."
// gives the range one value. Stops at the first malformed entry or at kMaxRanges ranges.
std::vector<CIDRange> ReadCIDRanges(const PdfArray& array, size_t stride, ObjectResolver& objects) {
  std::vector<CIDRange> ranges;
  const auto value_at = [&](size_t i) -> std::optional<float> {
    if (i >= array.size()) return std::nullopt;
    const std::optional<double> number = FiniteNumber(array[i], objects);
    if (!number) return std::nullopt;
    return static_cast<float>(*number / 1000);
  };
  size_t i = 0;
  while (i < array.size() && ranges.size() < FontWidths::kMaxRanges) {
    const std::optional<uint32_t> first = CIDOf(objects.Resolve(array[i]));
    if (!first || i + 1 >= array.size()) break;
    const PdfValue second = objects.Resolve(array[i + 1]);
    if (const PdfArray* values = second.Array()) {
      uint32_t cid = *first;
      for (size_t k = 0; k + stride <= values->size() && ranges.size() < FontWidths::kMaxRanges;
           k += stride) {
        const std::optional<double> value = FiniteNumber((*values)[k], objects);
        if (value) {
          ranges.push_back({cid, cid, static_cast<float>(*value / 1000)});
        }
        if (cid == UINT32_MAX) break;
        ++cid;
      }
      i += 2;
    } else {
      const std::optional<uint32_t> last = CIDOf(second);
      const std::optional<float> value = value_at(i + 2);
      if (!last || !value) break;
      if (*first <= *last) ranges.push_back({*first, *last, *value});
      i += 2 + stride;
    }
  }
  std::stable_sort(ranges.begin(), ranges.end(),
                   [](const CIDRange& a, const CIDRange& b) { return a.first < b.first; });
  return ranges;
}

const StandardFace* FindStandardFace(std::string_view font_name) {
  for (const auto& [alias, face] : kFaceAliases) {
    if (font_name == alias) font_name = face;
  }
  for (const StandardFace& face : kStandardFaces) {
    if (font_name == face.name) return &face;
  }
  return nullptr;
}

std::array<float, 256> StandardWidths(std::string_view font_name, const CodeToUnicode* codes) {
  std::array<float, 256> widths;
  if (font_name.starts_with("Courier")) {
    widths.fill(kCourierWidth);
    return widths;
  }
  const StandardFace* face = FindStandardFace(font_name);
  if (face == nullptr) {
    widths.fill(kUnknownFaceWidth);
    return widths;
  }
  const float average =
      static_cast<float>(std::accumulate(face->ascii.begin(), face->ascii.end(), 0)) /
      static_cast<float>(face->ascii.size() * 1000);
  for (size_t code = 0; code < widths.size(); ++code) {
    const char32_t c = codes != nullptr ? (*codes)[code] : static_cast<char32_t>(code);
    widths[code] =
        c >= 0x20 && c <= 0x7E ? static_cast<float>(face->ascii[c - 0x20]) / 1000 : average;
  }
  return widths;
}

void ReadSimpleWidths(const WidthEntries& entries, const PdfArray& array, bool type3,
                      ObjectResolver& objects, FontWidths& widths) {
  const float missing =
      static_cast<float>(NumberOf(entries.missing_width, objects).value_or(0) / 1000);
  widths.by_code.fill(missing);
  // A Type3 font's widths are in its glyph space, which /FontMatrix maps to text space.
  double scale = 1.0 / 1000;
  if (const std::optional<PdfArray> matrix =
          type3 ? ArrayOf(entries.font_matrix, objects) : std::nullopt;
      matrix && !matrix->empty()) {
    if (const std::optional<double> a = FiniteNumber((*matrix)[0], objects)) scale = *a;
  }
  const double first = NumberOf(entries.first_char, objects).value_or(0);
  if (!(first >= 0 && first < 256)) return;
  for (size_t k = 0; k < array.size() && first + static_cast<double>(k) < 256; ++k) {
    const std::optional<double> width = FiniteNumber(array[k], objects);
    if (width) {
      widths.by_code[static_cast<size_t>(first) + k] = static_cast<float>(*width * scale);
    }
  }
}

// /DW2 is [vy w1y]; only w1y moves the pen.
void ReadCIDWidths(const WidthEntries& entries, ObjectResolver& objects, FontWidths& widths) {
  if (const std::optional<double> dw = NumberOf(entries.dw, objects)) {
    widths.default_width = static_cast<float>(*dw / 1000);
  }
  if (const std::optional<PdfArray> dw2 = ArrayOf(entries.dw2, objects); dw2 && dw2->size() == 2) {
    if (const std::optional<double> w1 = FiniteNumber((*dw2)[1], objects)) {
      widths.default_vertical = static_cast<float>(*w1 / 1000);
    }
  }
  if (const std::optional<PdfArray> w = ArrayOf(entries.w, objects)) {
    widths.widths = ReadCIDRanges(*w, 1, objects);
  }
  if (const std::optional<PdfArray> w2 = ArrayOf(entries.w2, objects)) {
    widths.verticals = ReadCIDRanges(*w2, 3, objects);
  }
}

}  // namespace

// The last range that starts at or before the CID, when it reaches it; ranges that overlap
// resolve to the one that starts last.
float FontWidths::Find(const std::vector<CIDRange>& ranges, uint32_t cid, float fallback) {
  auto after = std::upper_bound(ranges.begin(), ranges.end(), cid,
                                [](uint32_t c, const CIDRange& range) { return c < range.first; });
  if (after == ranges.begin()) return fallback;
  const CIDRange& range = *(after - 1);
  return cid <= range.last ? range.value : fallback;
}

std::shared_ptr<const FontWidths> MakeFontWidths(const WidthEntries& entries, bool composite,
                                                 bool type3, std::string_view font_name,
                                                 const CodeToUnicode* codes,
                                                 ObjectResolver& objects) {
  auto widths = std::make_shared<FontWidths>();
  if (composite) {
    ReadCIDWidths(entries, objects, *widths);
  } else if (const std::optional<PdfArray> array = ArrayOf(entries.widths, objects)) {
    ReadSimpleWidths(entries, *array, type3, objects, *widths);
  } else {
    widths->by_code = StandardWidths(font_name, codes);
  }
  return widths;
}

}  // namespace lumenquill
