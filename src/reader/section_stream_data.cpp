#include "reader/section_stream_data.h"

#include "reader/bounded_output.h"
#include "reader/flate_decode.h"
#include "reader/memory_stream.h"
#include "reader/predictor.h"

namespace lumenquill {
namespace {

constexpr const char* kUnsupported = "ストリームのフィルタに対応していません。";

// A single filter may be written alone or as a one-element array, its parameters likewise.
std::string_view OnlyMember(std::string_view value) {
  const size_t open = value.find_first_not_of("\r\n ");
  if (open == std::string_view::npos || value[open] != '[') return value;
  const size_t close = value.rfind(']');
  if (close == std::string_view::npos || close < open) return value;
  return value.substr(open + 1, close - open - 1);
}

FilterParameters ReadParameters(const PdfDictionary& dictionary) {
  FilterParameters parameters;
  const auto entry = dictionary.find("/DecodeParms");
  if (entry == dictionary.end()) return parameters;
  const PdfDictionary values = DictionaryValue(OnlyMember(entry->second));
  parameters.predictor = IntegerEntry(values, "/Predictor").value_or(parameters.predictor);
  parameters.colors = IntegerEntry(values, "/Colors").value_or(parameters.colors);
  parameters.bits_per_component =
      IntegerEntry(values, "/BitsPerComponent").value_or(parameters.bits_per_component);
  parameters.columns = IntegerEntry(values, "/Columns").value_or(parameters.columns);
  return parameters;
}

}  // namespace

std::string DecodeSectionStream(const PdfDictionary& dictionary, std::string_view raw) {
  const auto filter = dictionary.find("/Filter");
  if (filter == dictionary.end()) {
    if (static_cast<int64_t>(raw.size()) > kMaxInflatedSize) throw Error(kUnsupported);
    return std::string(raw);
  }
  if (NameValue(OnlyMember(filter->second)) != "/FlateDecode") throw Error(kUnsupported);

  MemoryStream inflated;
  DecodeFlate(raw, inflated);
  const FilterParameters parameters = ReadParameters(dictionary);
  if (PredictorIsNone(parameters)) return inflated.Release();
  MemoryStream rows;
  UndoPredictor(parameters, inflated.Bytes(), rows);
  return rows.Release();
}

}  // namespace lumenquill
