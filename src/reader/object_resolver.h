#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "reader/filter_chain.h"
#include "reader/memory_stream.h"
#include "reader/object_parser.h"
#include "reader/object_stream.h"
#include "reader/pdf_value.h"
#include "reader/security_handler.h"
#include "reader/xref_table.h"

namespace lumenquill {

// Reads the objects of a document by number, on demand: an object written in the file is
// parsed where its entry places it, one packed in an object stream is read from that stream's
// decoded data (each object stream decoded once and kept), and in a decrypted document the
// strings and stream data of each object are decrypted as it is read. Every object read is
// cached, so a document's objects are each parsed once.
class ObjectResolver final {
 public:
  // The most references followed to reach one value: an object whose body is itself a
  // reference is followed in turn, and a loop of references ends after this many.
  static constexpr int32_t kMaxReferenceChain = 16;

  // A resolver over the file's bytes and table; both must outlive it.
  ObjectResolver(std::string_view file, const XrefTable& xref) : file_(file), xref_(xref) {}
  ObjectResolver(const ObjectResolver&) = delete;
  ObjectResolver& operator=(const ObjectResolver&) = delete;

  // From now on, strings and stream data are decrypted with handler; the encryption
  // dictionary, object encryption_number, is read as it stands.
  void SetDecryption(SecurityHandler handler, int32_t encryption_number);
  // The handler strings and stream data are decrypted with; nullptr when they are not.
  const SecurityHandler* Decryption() const { return handler_ ? &*handler_ : nullptr; }

  // The body of object n, the value after its "n g obj" header (the header's three tokens are
  // passed over unchecked, as the offset table is trusted): nothing for a number outside the
  // table, an object no section lists or one listed as free, one whose offset lies outside the
  // file, and one whose body is no value. An object packed in an object stream is read from
  // it when the stream is itself written in the file and lists the object at its index.
  const PdfValue* Object(int32_t n);
  // Object n as Object(n) reads it, not kept unless it already was: for objects read once,
  // such as the nodes of the page tree, which would only fill the cache.
  std::optional<PdfValue> ObjectOnce(int32_t n);

  // The value a reference leads to, following the references objects hold (at most
  // kMaxReferenceChain in all); PdfNull when the chain reaches no value. Any other value is
  // returned as it is.
  PdfValue Resolve(const PdfValue& value);
  PdfValue Resolve(const PdfReference& reference) { return Resolve(PdfValue(reference)); }

  // The object number whose body holds the value that a chain of references starting at
  // reference leads to: nothing when the chain reaches no value or passes the bound.
  std::optional<int32_t> FollowReferences(const PdfReference& reference);

  // The value of a dictionary entry, references followed; PdfNull when it is missing.
  PdfValue Get(const PdfDictionary& dictionary, std::string_view key);
  // An integer, references followed; nothing for any other value.
  std::optional<int32_t> Integer(const PdfValue& value);

  // The bytes of object n as written, from its header to the end of the first "endobj" after
  // its body (the object's body alone for one packed in an object stream); nothing where
  // Object(n) finds no object, or for a packed object its object stream does not hold at its
  // index.
  std::optional<std::string_view> ObjectText(int32_t n);

  // The filters of a stream dictionary's /Filter (a name or an array of names), the nth with
  // the nth parameters of /DecodeParms (a dictionary, or an array of dictionaries and nulls;
  // a lone dictionary belongs to the first filter; anything else gives the defaults).
  // References are followed. /F and /DP are not read: in a stream dictionary /F names a file.
  FilterChain StreamFilters(const PdfDictionary& dictionary);

  // Appends the decoded data of a stream to dest, decrypted first in a decrypted document,
  // with the rules and bounds of DecodeStream (reader/stream_filters.h): data cut off by the
  // end of the file, a wrong /Length and failing filters give what they give there. Then, when
  // no "endobj" follows the data, raises ReadError: the object is cut off by the end of the file.
  void DecodeStream(const PdfStream& stream, MemoryStream& dest);

 private:
  // The decoded data of an object stream and where its objects lie in it.
  struct UnpackedStream {
    std::string data;
    std::vector<PackedObject> objects;
  };

  std::optional<PdfValue> Read(int32_t n);
  std::optional<PdfValue> ReadFileObject(int32_t n, int32_t offset);
  // The header and body of the object the parser stands on; the header's three tokens are
  // passed over whatever they are (header then holds nothing), and the parser ends after the
  // body.
  std::optional<PdfValue> ParseFileObject(ObjectParser& parser,
                                          std::optional<ObjectParser::ObjectHeader>& header);
  std::optional<PdfValue> ReadPackedObject(int32_t n, const InObjectStreamEntry& entry);
  // The object stream's decoded data and objects, read once; no objects when it cannot be read.
  const UnpackedStream* Unpack(int32_t stream_number);
  // Where object n lies in the object stream its entry names; nullptr when it is not there.
  const PackedObject* FindPacked(int32_t n, const InObjectStreamEntry& entry);
  PdfValue Decrypted(const PdfValue& value, int32_t n, int32_t generation) const;
  bool DecryptsObject(int32_t n, const PdfValue& body, int64_t end) const;
  FilterParameters ReadParameters(const PdfValue& value);

  std::string_view file_;
  const XrefTable& xref_;
  std::optional<SecurityHandler> handler_;
  int32_t encryption_number_ = -1;
  // Objects read, by number; nothing for one that was looked for and holds no value.
  std::unordered_map<int32_t, std::optional<PdfValue>> objects_;
  // The objects being read, one inside the reading of another.
  std::unordered_set<int32_t> reading_;
  std::map<int32_t, UnpackedStream> unpacked_;
  // The objects whose strings and stream data are decrypted: an object the file left in a
  // shape decryption does not handle (see ReadFileObject) is read as it stands.
  std::unordered_set<int32_t> decrypted_objects_;
};

}  // namespace lumenquill
