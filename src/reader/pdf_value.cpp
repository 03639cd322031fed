#include "reader/pdf_value.h"

namespace lumenquill {

PdfArray::PdfArray() : PdfArray(std::vector<PdfValue>{}) {}

PdfArray::PdfArray(std::vector<PdfValue> elements)
    : elements_(std::make_shared<const std::vector<PdfValue>>(std::move(elements))) {}

PdfDictionary::PdfDictionary() : PdfDictionary(std::vector<Entry>{}) {}

PdfDictionary::PdfDictionary(std::vector<Entry> entries)
    : entries_(std::make_shared<const std::vector<Entry>>(std::move(entries))) {}

const PdfValue* PdfDictionary::Find(std::string_view key) const {
  for (const Entry& entry : *entries_) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

std::optional<int32_t> PdfValue::Integer() const {
  if (const int32_t* integer = As<int32_t>()) return *integer;
  return std::nullopt;
}

std::optional<double> PdfValue::Number() const {
  if (const int32_t* integer = As<int32_t>()) return *integer;
  if (const double* real = As<double>()) return *real;
  return std::nullopt;
}

std::optional<std::string_view> PdfValue::Name() const {
  if (const PdfName* name = As<PdfName>()) return name->text;
  return std::nullopt;
}

const PdfDictionary* PdfValue::DictionaryOrStreamDictionary() const {
  if (const PdfStream* stream = Stream()) return &stream->dictionary;
  return Dictionary();
}

}  // namespace lumenquill
