#pragma once

#include <cstdint>
#include <string_view>

#include "reader/memory_stream.h"

namespace lumenquill {

// The /DecodeParms entries of one Flate or LZW filter that shape its output; a missing entry
// has the default written here.
struct FilterParameters {
  int32_t predictor = 1;           // 1 none, 2 TIFF, 10 to 15 PNG
  int32_t colors = 1;              // samples per pixel
  int32_t bits_per_component = 8;  // 1, 2, 4, 8 or 16
  int32_t columns = 1;             // pixels per row
  int32_t early_change = 1;        // LZW only

  bool operator==(const FilterParameters&) const = default;
};

// The member of parameters that a /DecodeParms key sets (/Predictor, /Colors,
// /BitsPerComponent, /Columns, /EarlyChange), or nullptr for keys the filters do not use.
int32_t* FilterParameterOf(FilterParameters& parameters, std::string_view key);

// True when the parameters name no predictor (nothing to undo).
inline bool PredictorIsNone(const FilterParameters& parameters) { return parameters.predictor < 2; }

// Undoes the predictor of parameters on input (the output of the filter) and appends the rows
// to dest. PNG rows each begin with their own type byte (0 none, 1 sub, 2 up, 3 average,
// 4 Paeth); TIFF rows subtract each sample from the one before it in the row. A final short
// row is decoded as far as it goes. Raises Error for parameters out of range (an unknown
// predictor, colors outside 1..32, bits other than 1, 2, 4, 8, 16, columns below 1, a row
// longer than the input could ever fill) and for an unknown PNG row type, after appending
// the rows before it.
void UndoPredictor(const FilterParameters& parameters, std::string_view input, MemoryStream& dest);

}  // namespace lumenquill
