#include "reader/object_resolver.h"

#include "reader/decimal_text.h"
#include "reader/object_parser.h"
#include "reader/reader_errors.h"
#include "reader/section_stream_data.h"
#include "reader/stream_filters.h"

namespace lumenquill {
namespace {

// How many bytes that follow a decrypted stream's data in the file are kept behind the
// decrypted data: enough for the end of line and "endstream" that decoding checks for.
constexpr size_t kTailAfterData = 256;

// The data of a stream starts after the end of line that follows "stream": LF, CR LF, or one
// byte of any other kind.
int64_t DataStart(std::string_view bytes, int64_t keyword_end) {
  const std::string_view eol = bytes.substr(static_cast<size_t>(keyword_end), 2);
  return keyword_end + (eol == "\r\n" ? 2 : 1);
}

}  // namespace

void ObjectResolver::SetDecryption(SecurityHandler handler, int32_t encryption_number) {
  handler_ = std::move(handler);
  encryption_number_ = encryption_number;
  objects_.clear();
  unpacked_.clear();
  decrypted_objects_.clear();
}

const PdfValue* ObjectResolver::Object(int32_t n) {
  const auto cached = objects_.find(n);
  if (cached != objects_.end()) return cached->second ? &*cached->second : nullptr;
  std::optional<PdfValue> value = Read(n);
  if (!value && reading_.contains(n)) return nullptr;  // not read: a loop, or past the bound
  std::optional<PdfValue>& slot = objects_[n];
  slot = std::move(value);
  return slot ? &*slot : nullptr;
}

std::optional<PdfValue> ObjectResolver::ObjectOnce(int32_t n) {
  const auto cached = objects_.find(n);
  if (cached != objects_.end()) return cached->second;
  return Read(n);
}

std::optional<PdfValue> ObjectResolver::Read(int32_t n) {
  // Reading one object may read others (a /Length by reference, an object stream): an object
  // already being read, so a /Length that refers back to its own stream or a loop of object
  // streams, and a chain of such reads longer than the bound, find nothing.
  if (reading_.contains(n) || static_cast<int32_t>(reading_.size()) >= kMaxReferenceChain) {
    return std::nullopt;
  }
  const std::optional<XrefEntry> entry = xref_.Find(n);
  if (!entry) return std::nullopt;
  reading_.insert(n);
  std::optional<PdfValue> value;
  try {
    if (const auto* in_file = std::get_if<InFileEntry>(&*entry)) {
      value = ReadFileObject(n, in_file->offset);
    } else if (const auto* packed = std::get_if<InObjectStreamEntry>(&*entry)) {
      value = ReadPackedObject(n, *packed);
    }
  } catch (...) {
    reading_.erase(n);
    throw;
  }
  reading_.erase(n);
  return value;
}

std::optional<PdfValue> ObjectResolver::ReadFileObject(int32_t n, int32_t offset) {
  if (offset < 0 || offset >= static_cast<int64_t>(file_.size())) return std::nullopt;
  ObjectParser parser(file_, offset);
  std::optional<ObjectParser::ObjectHeader> header;
  std::optional<PdfValue> body = ParseFileObject(parser, header);
  if (!body) return std::nullopt;
  if (const PdfStream* stream = body->Stream()) {
    // The stream names its object, by which DecodeStream finds whether and how to decrypt it.
    PdfStream numbered = *stream;
    numbered.object_number = n;
    numbered.generation = header ? header->generation : 0;
    body = PdfValue(std::move(numbered));
  }
  if (handler_ && header && header->number == n && DecryptsObject(n, *body, parser.Position())) {
    decrypted_objects_.insert(n);
    return Decrypted(*body, n, header->generation);
  }
  return body;
}

std::optional<PdfValue> ObjectResolver::ParseFileObject(
    ObjectParser& parser, std::optional<ObjectParser::ObjectHeader>& header) {
  header = parser.ReadObjectHeader();
  if (!header) {
    for (int i = 0; i < 3; ++i) {
      if (parser.NextToken().empty()) return std::nullopt;
    }
  }
  return parser.ReadObjectBody(
      [this](const PdfValue& length) { return Integer(length).value_or(0); });
}

// Objects the decryption leaves as they stand: the encryption dictionary, cross-reference
// streams (never encrypted), a stream without /Length or whose data passes the end of the
// file, and an object that has no "endobj" before the end of the file.
bool ObjectResolver::DecryptsObject(int32_t n, const PdfValue& body, int64_t end) const {
  if (n == encryption_number_) return false;
  const PdfDictionary* dictionary = body.DictionaryOrStreamDictionary();
  if (dictionary) {
    const PdfValue* type = dictionary->Find("/Type");
    if (type && type->Name() == "/XRef") return false;
  }
  if (const PdfStream* stream = body.Stream()) {
    if (!stream->dictionary.Contains("/Length") || stream->length < 0) return false;
    const int64_t data_end = DataStart(file_, stream->keyword_end) + stream->length;
    if (data_end > static_cast<int64_t>(file_.size())) return false;
  }
  return file_.find("endobj", static_cast<size_t>(end)) != std::string_view::npos;
}

PdfValue ObjectResolver::Decrypted(const PdfValue& value, int32_t n, int32_t generation) const {
  if (const PdfString* string = value.String()) {
    return PdfString{handler_->DecryptString(n, generation, string->bytes)};
  }
  if (const PdfArray* array = value.Array()) {
    std::vector<PdfValue> elements;
    elements.reserve(array->size());
    for (const PdfValue& element : *array) elements.push_back(Decrypted(element, n, generation));
    return PdfArray(std::move(elements));
  }
  const PdfDictionary* dictionary = value.DictionaryOrStreamDictionary();
  if (!dictionary) return value;
  std::vector<PdfDictionary::Entry> entries;
  entries.reserve(dictionary->size());
  for (const auto& [key, entry] : *dictionary) {
    entries.emplace_back(key, Decrypted(entry, n, generation));
  }
  if (const PdfStream* stream = value.Stream()) {
    PdfStream decrypted = *stream;
    decrypted.dictionary = PdfDictionary(std::move(entries));
    return decrypted;
  }
  return PdfDictionary(std::move(entries));
}

const PackedObject* ObjectResolver::FindPacked(int32_t n, const InObjectStreamEntry& entry) {
  const UnpackedStream* unpacked = Unpack(entry.stream_number);
  const auto index = static_cast<size_t>(entry.index);
  if (index >= unpacked->objects.size() || unpacked->objects[index].number != n) return nullptr;
  return &unpacked->objects[index];
}

std::optional<PdfValue> ObjectResolver::ReadPackedObject(int32_t n,
                                                         const InObjectStreamEntry& entry) {
  const PackedObject* object = FindPacked(n, entry);
  if (!object) return std::nullopt;
  const std::string_view data = unpacked_.at(entry.stream_number).data;
  ObjectParser parser(data.substr(object->begin, object->size));
  return parser.ReadValue();
}

// An object stream must itself be written in the file, with /Type /ObjStm and a /Length.
const ObjectResolver::UnpackedStream* ObjectResolver::Unpack(int32_t stream_number) {
  const auto found = unpacked_.find(stream_number);
  if (found != unpacked_.end()) return &found->second;
  UnpackedStream& unpacked = unpacked_[stream_number];
  const std::optional<int32_t> offset = xref_.FileOffset(stream_number);
  if (!offset || *offset < 0) return &unpacked;
  ObjectParser header_parser(file_, *offset);
  const std::optional<ObjectParser::ObjectHeader> header = header_parser.ReadObjectHeader();
  if (!header || header->number != stream_number) return &unpacked;
  const PdfValue* object = Object(stream_number);
  const PdfStream* stream = object ? object->Stream() : nullptr;
  if (!stream) return &unpacked;
  const PdfDictionary& dictionary = stream->dictionary;
  const PdfValue* type = dictionary.Find("/Type");
  if (!type || type->Name() != "/ObjStm" || !dictionary.Contains("/Length")) return &unpacked;
  try {
    const int64_t start = DataStart(file_, stream->keyword_end);
    if (stream->length < 0 || start + stream->length > static_cast<int64_t>(file_.size())) {
      return &unpacked;
    }
    std::string_view raw = file_.substr(static_cast<size_t>(start),
                                        static_cast<size_t>(stream->length));
    std::string plain;
    if (decrypted_objects_.contains(stream_number)) {
      plain = handler_->DecryptStream(stream_number, stream->generation, raw);
      raw = plain;
    }
    unpacked.data = DecodeSectionStream(StreamFilters(dictionary), raw);
    const PdfValue* count = dictionary.Find("/N");
    const PdfValue* first = dictionary.Find("/First");
    unpacked.objects = SplitObjectStream(unpacked.data,
                                         count ? count->Integer().value_or(-1) : -1,
                                         first ? first->Integer().value_or(-1) : -1);
  } catch (const Error&) {
    unpacked.objects.clear();
  }
  return &unpacked;
}

std::optional<int32_t> ObjectResolver::FollowReferences(const PdfReference& reference) {
  int32_t n = reference.number;
  for (int32_t followed = 1;; ++followed) {
    const PdfValue* value = Object(n);
    if (!value) return std::nullopt;
    const PdfReference* next = value->Reference();
    if (!next) return n;
    if (followed == kMaxReferenceChain) return std::nullopt;
    n = next->number;
  }
}

PdfValue ObjectResolver::Resolve(const PdfValue& value) {
  const PdfReference* reference = value.Reference();
  if (!reference) return value;
  const std::optional<int32_t> n = FollowReferences(*reference);
  if (!n) return PdfNull{};
  return *Object(*n);
}

PdfValue ObjectResolver::Get(const PdfDictionary& dictionary, std::string_view key) {
  const PdfValue* value = dictionary.Find(key);
  return value ? Resolve(*value) : PdfValue(PdfNull{});
}

std::optional<int32_t> ObjectResolver::Integer(const PdfValue& value) {
  return Resolve(value).Integer();
}

std::optional<std::string_view> ObjectResolver::ObjectText(int32_t n) {
  const std::optional<XrefEntry> entry = xref_.Find(n);
  if (!entry) return std::nullopt;
  if (const auto* packed = std::get_if<InObjectStreamEntry>(&*entry)) {
    const PackedObject* object = FindPacked(n, *packed);
    if (!object) return std::nullopt;
    return std::string_view(unpacked_.at(packed->stream_number).data)
        .substr(object->begin, object->size);
  }
  if (!Object(n)) return std::nullopt;
  const auto offset = static_cast<size_t>(std::get<InFileEntry>(*entry).offset);
  // "endobj" is looked for after the body, so that one inside a string or stream data does
  // not end the text.
  ObjectParser parser(file_, static_cast<int64_t>(offset));
  std::optional<ObjectParser::ObjectHeader> header;
  ParseFileObject(parser, header);
  const size_t end = file_.find("endobj", static_cast<size_t>(parser.Position()));
  if (end == std::string_view::npos) return file_.substr(offset);
  return file_.substr(offset, end + 6 - offset);
}

FilterParameters ObjectResolver::ReadParameters(const PdfValue& value) {
  FilterParameters parameters;
  const PdfValue resolved = Resolve(value);
  if (const PdfDictionary* dictionary = resolved.Dictionary()) {
    for (const auto& [key, entry] : *dictionary) {
      if (int32_t* parameter = FilterParameterOf(parameters, key)) {
        *parameter = Integer(entry).value_or(0);
      }
    }
  }
  return parameters;
}

FilterChain ObjectResolver::StreamFilters(const PdfDictionary& dictionary) {
  StringList names;
  const PdfValue filter = Get(dictionary, "/Filter");
  if (const std::optional<std::string_view> name = filter.Name()) {
    names.emplace_back(*name);
  } else if (const PdfArray* array = filter.Array()) {
    for (const PdfValue& element : *array) {
      if (const std::optional<std::string_view> element_name = element.Name()) {
        names.emplace_back(*element_name);
      }
    }
  }
  FilterChain chain(std::move(names));
  std::vector<FilterParameters> parameters;
  const PdfValue decode_parms = Get(dictionary, "/DecodeParms");
  if (const PdfArray* array = decode_parms.Array()) {
    for (size_t i = 0; i < array->size() && parameters.size() < kMaxFilters; ++i) {
      parameters.push_back(ReadParameters((*array)[i]));
    }
  } else if (dictionary.Contains("/DecodeParms")) {
    parameters.push_back(ReadParameters(decode_parms));
  }
  for (size_t i = 0; i < chain.parameters.size() && i < parameters.size(); ++i) {
    chain.parameters[i] = parameters[i];
  }
  return chain;
}

void ObjectResolver::DecodeStream(const PdfStream& stream, MemoryStream& dest) {
  const FilterChain filters = StreamFilters(stream.dictionary);
  if (!decrypted_objects_.contains(stream.object_number)) {
    ByteView source(file_, stream.keyword_end);
    lumenquill::DecodeStream(source, dest, stream.length, filters);
    // An object with no "endobj" after its data is cut off by the end of the file.
    if (stream.length > 0 && source.Rest().find("endobj") == std::string_view::npos) {
      throw ReadError();
    }
    return;
  }
  // The decrypted data, with the bytes that followed the encrypted data after it, so that the
  // checks for the end of line and "endstream" after the data see what they saw in the file.
  const int64_t start = DataStart(file_, stream.keyword_end);
  const std::string_view raw =
      file_.substr(static_cast<size_t>(start), static_cast<size_t>(stream.length));
  const PdfValue* type = stream.dictionary.Find("/Type");
  const bool clear_metadata =
      type && type->Name() == "/Metadata" && !handler_->EncryptsMetadata();
  std::string plain = clear_metadata ? std::string(raw)
                                     : handler_->DecryptStream(stream.object_number,
                                                               stream.generation, raw);
  const auto plain_length = static_cast<int32_t>(plain.size());
  plain.insert(plain.begin(), '\n');
  plain.push_back('\n');
  plain.append(file_.substr(static_cast<size_t>(start + stream.length), kTailAfterData));
  ByteView source(plain);
  lumenquill::DecodeStream(source, dest, plain_length, filters);
}

}  // namespace lumenquill
