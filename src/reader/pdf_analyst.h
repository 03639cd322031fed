#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/byte_stream.h"
#include "reader/memory_stream.h"
#include "reader/object_stream.h"
#include "reader/rectangle.h"
#include "reader/string_list.h"

namespace lumenquill {

// The document reader: the open PDF file, the table from object numbers to byte offsets read
// from its cross-reference sections, and the object-level reading operations built on the
// token primitives. One reader holds one document at a time.
//
// Operations that read a stream remember its position and set it back, so callers can
// interleave them; callers that read Stream() themselves follow the same discipline.
// Object numbers, as references name them: pages, content streams, the kids of a node.
using ObjectNumberList = std::vector<int32_t>;

class TPDFAnalyst final {
 public:
  TPDFAnalyst() { Clear(); }
  TPDFAnalyst(const TPDFAnalyst&) = delete;
  TPDFAnalyst& operator=(const TPDFAnalyst&) = delete;

  // --- State ---------------------------------------------------------------------------
  void Clear();
  // Clears the reader, sets ErrorRaised and raises LoadError(message).
  [[noreturn]] void RaiseError(const std::string& message);
  // Whether loading also opens the newer files: PDF 1.5 to 2.0, cross-reference and object
  // streams, and files encrypted with an empty user password. Off (the default), they are
  // refused. Kept across Clear and loads.
  void SetReadNewerFormats(bool on) { read_newer_formats_ = on; }
  bool ReadsNewerFormats() const { return read_newer_formats_; }
  // After a load: whether the file was refused, or is secured, for a reason that
  // SetReadNewerFormats(true) may lift (its version, a cross-reference stream, encryption).
  bool NeedsNewerFormats() const { return needs_newer_formats_; }

  // --- Document open ---------------------------------------------------------------------
  // Opens the file (other writers denied while it is held) and checks and indexes it.
  // Raises FileOpenError, LoadError with the message of the failing check, ReadError or
  // ObjectIdError.
  void LoadFromFile(const std::string& file_name);
  // The same analysis on a stream the reader takes over, known by the name given.
  void LoadFromStream(std::unique_ptr<ByteStream> stream, const std::string& name = "");

  // --- Object numbers --------------------------------------------------------------------
  bool IsValidObjectNumber(int32_t n) const { return n >= 0 && n < object_count_; }
  bool IsValidObjectRef(std::string_view text) const;
  // A token that names an object of the table: it starts with 1 to 9 and is valid.
  bool IsObjectReference(std::string_view token) const;
  const std::vector<int32_t>& GetOffsets() const { return offsets_; }
  // Raises Error("ストリームが不正です。") with no open file, IndexError for an invalid number.
  void CheckObjectNumber(int32_t n) const;
  // Sets the position of Stream() to the offset of object n; false (position unchanged)
  // when that offset lies outside the file, as for objects no section listed.
  bool SeekToObject(int32_t n);
  // SeekToObject, raising ReadError (as reading there would) when the offset lies outside.
  void SeekToExistingObject(int32_t n);

  // --- Whole objects ---------------------------------------------------------------------
  // Adds "n 0 obj", body and "endobj" after the end of the reader's bytes and points object n
  // at them, so that an object read from an object stream or decrypted reads like one written
  // in the file. Raises LoadError when the bytes would pass the reach of 32-bit offsets.
  void AppendObject(int32_t n, std::string_view body);
  // Bytes from the offset of object n to the end of its "endobj"; 0 for a free object or one
  // whose offset lies outside the file.
  int32_t GetObjectSize(int32_t n);
  std::optional<std::string> ReadObjectBytes(int32_t n, int32_t size);
  // The whole object n plus one LF, in a new stream at position 0. Raises
  // Error("オブジェクトの取得に失敗しました。") when there is nothing to copy.
  std::unique_ptr<MemoryStream> GetObjectStream(int32_t n);

  // --- References ------------------------------------------------------------------------
  // The most references followed to reach one value: an object whose body is itself a
  // reference is followed in turn, and a loop of references ends after this many.
  static constexpr int32_t kMaxReferenceChain = 16;
  // What FollowReferences returns for a value written at the position itself, and for a
  // reference that leads to no value.
  static constexpr int32_t kDirectValue = -1;
  static constexpr int32_t kNoValue = -2;

  // When the value at the position of stream is a reference "n g R", moves past it and returns
  // n, which may name no object of the table; otherwise -1, the position unchanged.
  int32_t ReadReference(ByteStream& stream) const;
  // Where the value at the position of stream stands: kDirectValue when it is not a reference
  // (the position unchanged); otherwise, the position moved past the reference, the object
  // whose body holds the value at the end of the chain of references, or kNoValue when the
  // chain reaches a number outside the table, a free object, one outside the file, or passes
  // kMaxReferenceChain.
  int32_t FollowReferences(ByteStream& stream);
  // Calls read with a stream positioned on the value at the position of stream, references
  // followed: stream itself, or the file stream at the body of the object that holds the value
  // (its position set back afterwards). Nothing is called for kNoValue.
  void VisitValue(ByteStream& stream, const std::function<void(ByteStream&)>& read);
  // The token of the value at the position of stream, references followed, into token; token
  // is left as it was when the references lead to no value.
  void ReadResolvedToken(ByteStream& stream, std::string& token);

  // --- Values at the position of a stream (the position is set back; references followed) --
  // An integer; 0 on any failure.
  int32_t ReadIntegerValue(ByteStream& stream);
  // Object numbers of a reference, an array of references, or a referenced array.
  void ReadRefList(ByteStream& stream, ObjectNumberList& list);
  // Names of a name or of an array of names.
  void ReadNameList(ByteStream& stream, StringList& list);

  // --- Values held by a whole object ---------------------------------------------------
  int32_t GetIntegerObject(int32_t n);
  bool ReadRefArrayObject(int32_t n, ObjectNumberList& list);

  // --- Page tree ---------------------------------------------------------------------------
  // Appends the object numbers of all pages in document order.
  void GetPageObjects(ObjectNumberList& list);

  // --- Members -----------------------------------------------------------------------------
  ByteStream* Stream() const { return stream_.get(); }
  const std::vector<bool>& FreeObjects() const { return free_objects_; }
  const std::string& Version() const { return version_; }
  const std::string& FileName() const { return file_name_; }
  int32_t ObjectCount() const { return object_count_; }
  int32_t PageCount() const { return page_count_; }
  int32_t RootID() const { return root_id_; }
  int32_t InfoID() const { return info_id_; }
  int32_t FirstPageID() const { return first_page_id_; }
  int32_t FirstPagesID() const { return first_pages_id_; }
  // Whether the file is secured: encrypted, and not decrypted at load.
  bool Encrypted() const { return encrypted_; }
  // Whether the file was encrypted and every object was decrypted at load.
  bool Decrypted() const { return decrypted_; }
  // The object number of the newest trailer's /Encrypt reference, -1 when there is none, and
  // the bytes of the first string of the newest /ID.
  int32_t EncryptID() const { return encrypt_id_; }
  const std::string& DocumentID() const { return document_id_; }
  bool ErrorRaised() const { return error_raised_; }
  const Rectangle& MediaBox() const { return media_box_; }
  const StringList& XrefOffsets() const { return xref_offsets_; }

 private:
  // The offsets a trailer or cross-reference stream names: the older section (/Prev) and, in
  // the trailer of a classic section, the cross-reference stream that completes it
  // (/XRefStm). -1 when absent.
  struct SectionLinks {
    int32_t prev = -1;
    int32_t xref_stream = -1;
  };
  // An object that a cross-reference stream places in an object stream, by index.
  struct PackedEntry {
    int32_t number;
    int32_t stream;
    int32_t index;
  };
  // The offset-table value of an object that lives in an object stream until it is expanded.
  static constexpr int32_t kInObjectStream = -2;

  void AnalyseStream(std::unique_ptr<ByteStream> stream);
  void ReadXrefSection(int32_t offset);
  // Reads the subsections after "xref" up to "trailer"; appends to freed the objects whose
  // entries this section made free.
  void ReadXrefTable(std::vector<int32_t>& freed);
  void ReadXrefSubsection(int32_t start, int32_t count, std::vector<int32_t>& freed);
  // Reads the cross-reference stream at offset that a classic section names with /XRefStm;
  // the objects that section made free (freed) take the stream's entries where it has some.
  void ReadHybridStream(int32_t offset, const std::vector<int32_t>& freed);
  // Makes the table hold objects 0 to count - 1.
  void GrowObjectTable(int32_t count);
  // Reads one trailer up to "startxref".
  SectionLinks ReadTrailer();
  // Reads the value of one trailer key at the position of value, for classic trailers and
  // cross-reference stream dictionaries alike: /Root, /Info, /Encrypt and /ID count from the
  // newest trailer that has them; /Prev and /XRefStm go to links. Other keys are left alone.
  void ReadTrailerEntry(const std::string& key, ByteStream& value, SectionLinks& links);
  // After /ID in a trailer: keeps the first string of the array as document_id_ when no newer
  // trailer gave one. The array is read to its "]", so that no byte of a binary string is
  // taken for a trailer key; a damaged array is left to the caller's token loop.
  void ReadDocumentId(ByteStream& value);
  // Reads the cross-reference stream at offset (HoldsXrefStream checked) into the table;
  // returns its /Prev, or -1. Raises LoadError through RaiseError for any fault of the stream.
  int32_t ReadXrefStream(int32_t offset);
  // Whether offset holds an object whose dictionary has /Type /XRef.
  bool HoldsXrefStream(int32_t offset);
  // For an encrypted file read with the newer formats: opens the standard security handler
  // with the empty user password and replaces every object of the file by its decrypted copy,
  // after which Encrypted() is false. The file stays secured when the handler, the password or
  // the permissions do not let its text be read. Without the newer formats, notes that they
  // are needed.
  void DecryptObjects();
  // Appends every object that the table places in an object stream after the file's bytes,
  // each stream decoded once; objects that cannot be found there become free.
  void ExpandObjectStreams();
  // The decoded data of object stream n and where its objects lie in it; no objects when it
  // cannot be read.
  struct UnpackedStream {
    std::string data;
    std::vector<PackedObject> objects;
  };
  UnpackedStream ReadObjectStream(int32_t n);
  void ReadCatalog();
  void ReadPageCount();
  // The first page and its media box, and the page count: the number of pages the page tree
  // holds, whatever /Count says, when the whole tree can be walked.
  void ReadPages();
  void FindMediaBox(int32_t n, std::string& text);
  // Positions Stream() on node n and checks that the node starts with its own number;
  // raises ObjectIdError otherwise.
  void CheckPageNode(int32_t n);
  // Walks the page tree below root in document order, calling on_page for every page node
  // until it returns false.
  void WalkPageTree(int32_t root, const std::function<bool(int32_t)>& on_page);
  // Positions Stream() inside object n, after its "[" when the object holds an array.
  bool EnterArrayObject(int32_t n);
  bool IsFree(int32_t n) const { return free_objects_[static_cast<size_t>(n)]; }

  std::unique_ptr<ByteStream> stream_;
  std::vector<int32_t> offsets_;
  std::vector<bool> free_objects_;
  std::string version_;
  std::string file_name_;
  int32_t object_count_ = -1;
  int32_t page_count_ = -1;
  int32_t root_id_ = -1;
  int32_t info_id_ = -1;
  int32_t first_page_id_ = -1;
  int32_t first_pages_id_ = -1;
  // The pages in document order, as the walk at load found them; not read when that walk failed
  // after the first page, so that listing the pages fails again as it did.
  ObjectNumberList page_objects_;
  bool page_objects_read_ = false;
  bool encrypted_ = false;
  bool decrypted_ = false;
  bool error_raised_ = false;
  bool read_newer_formats_ = false;
  bool needs_newer_formats_ = false;
  int32_t encrypt_id_ = -1;
  std::string document_id_;
  bool document_id_read_ = false;
  // Objects that cross-reference streams place in object streams, not yet expanded.
  std::vector<PackedEntry> packed_entries_;
  Rectangle media_box_;
  StringList xref_offsets_;
};

}  // namespace lumenquill
