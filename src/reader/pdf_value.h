#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace lumenquill {

class PdfValue;

// The null object, and what a value that cannot be read or a reference that leads nowhere
// stands for.
struct PdfNull {
  bool operator==(const PdfNull&) const = default;
};

// A string object: the bytes it stands for, escapes and hexadecimal digits resolved.
struct PdfString {
  std::string bytes;
  bool operator==(const PdfString&) const = default;
};

// A name object, as written: slash included, "#xx" escapes left as they stand (every reader of
// the program compares names that way).
struct PdfName {
  std::string text;
  bool operator==(const PdfName&) const = default;
};

// An indirect reference "n g R".
struct PdfReference {
  int32_t number = 0;
  int32_t generation = 0;
  bool operator==(const PdfReference&) const = default;
};

// An array: shared, so that copying a value never copies its elements.
class PdfArray final {
 public:
  PdfArray();
  explicit PdfArray(std::vector<PdfValue> elements);

  // Defined after PdfValue, which they need complete.
  size_t size() const;
  bool empty() const;
  const PdfValue& operator[](size_t i) const;
  std::vector<PdfValue>::const_iterator begin() const;
  std::vector<PdfValue>::const_iterator end() const;

 private:
  std::shared_ptr<const std::vector<PdfValue>> elements_;
};

// A dictionary: its entries in the order they are written, a key written twice kept twice
// (Find gives the first, as every reader of the program has taken it). Shared, like an array.
// Dictionaries hold a few entries, so a search along the list is faster than a map.
class PdfDictionary final {
 public:
  using Entry = std::pair<std::string, PdfValue>;  // the key is a name, slash included

  PdfDictionary();
  explicit PdfDictionary(std::vector<Entry> entries);

  // The value of the first entry with the key, or nullptr.
  const PdfValue* Find(std::string_view key) const;
  bool Contains(std::string_view key) const { return Find(key) != nullptr; }
  // Defined after PdfValue, which they need complete.
  size_t size() const;
  bool empty() const;
  std::vector<Entry>::const_iterator begin() const;
  std::vector<Entry>::const_iterator end() const;
  // What tells this dictionary from another with the same entries: copies of one dictionary
  // share it, dictionaries read apart do not.
  const void* Identity() const { return entries_.get(); }

 private:
  std::shared_ptr<const std::vector<Entry>> entries_;
};

// A stream object: its dictionary and where its data stands in the file, as /Length gives it.
// The data is decoded, and decrypted, only when a reader asks for it
// (ObjectResolver::DecodeStream).
struct PdfStream {
  PdfDictionary dictionary;
  int64_t keyword_end = 0;  // just after "stream": the end of line before the data starts here
  int32_t length = 0;       // /Length, references followed; 0 when it is no integer
  // The object that holds the stream, set as it is read: its data is decrypted with its key.
  int32_t object_number = 0;
  int32_t generation = 0;
};

// One PDF value. A number that is written as an integer and fits in 32 bits is an int32_t;
// every other number (with a period or an exponent, or too long) is a double: the readers of
// the program have always told the two apart that way.
class PdfValue final {
 public:
  using Variant = std::variant<PdfNull, bool, int32_t, double, PdfString, PdfName, PdfArray,
                               PdfDictionary, PdfReference, PdfStream>;

  PdfValue() = default;
  template <typename T>
    requires std::is_constructible_v<Variant, T&&>
  PdfValue(T&& value) : value_(std::forward<T>(value)) {}  // NOLINT: implicit by design

  const Variant& variant() const { return value_; }
  template <typename T>
  bool Is() const {
    return std::holds_alternative<T>(value_);
  }
  // The alternative T, or nullptr when the value holds another.
  template <typename T>
  const T* As() const {
    return std::get_if<T>(&value_);
  }

  bool IsNull() const { return Is<PdfNull>(); }
  // An integer value; nothing for a real or any other value.
  std::optional<int32_t> Integer() const;
  // A number of either kind as a double.
  std::optional<double> Number() const;
  // The text of a name, slash included; nothing for any other value.
  std::optional<std::string_view> Name() const;
  const PdfDictionary* Dictionary() const { return As<PdfDictionary>(); }
  // The dictionary of a dictionary or of a stream.
  const PdfDictionary* DictionaryOrStreamDictionary() const;
  const PdfArray* Array() const { return As<PdfArray>(); }
  const PdfReference* Reference() const { return As<PdfReference>(); }
  const PdfStream* Stream() const { return As<PdfStream>(); }
  const PdfString* String() const { return As<PdfString>(); }

 private:
  Variant value_;
};

inline size_t PdfArray::size() const { return elements_->size(); }
inline bool PdfArray::empty() const { return elements_->empty(); }
inline const PdfValue& PdfArray::operator[](size_t i) const { return (*elements_)[i]; }
inline std::vector<PdfValue>::const_iterator PdfArray::begin() const { return elements_->begin(); }
inline std::vector<PdfValue>::const_iterator PdfArray::end() const { return elements_->end(); }

inline size_t PdfDictionary::size() const { return entries_->size(); }
inline bool PdfDictionary::empty() const { return entries_->empty(); }
inline std::vector<PdfDictionary::Entry>::const_iterator PdfDictionary::begin() const {
  return entries_->begin();
}
inline std::vector<PdfDictionary::Entry>::const_iterator PdfDictionary::end() const {
  return entries_->end();
}

}  // namespace lumenquill
