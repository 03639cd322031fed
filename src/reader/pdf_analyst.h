#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/byte_stream.h"
#include "reader/document.h"
#include "reader/memory_stream.h"
#include "reader/object_stream.h"
#include "reader/rectangle.h"
#include "reader/string_list.h"

namespace lumenquill {

// The token-level reading of a document for the readers that still work on its text: a
// Document (reader/document.h) opened and checked, and its objects as text in one byte
// stream, where those packed in object streams and, in a decrypted document, every object
// are written out after the file's bytes, so that each reads like one written in the file.
// One reader holds one document at a time.
//
// Operations that read a stream remember its position and set it back, so callers can
// interleave them; callers that read Stream() themselves follow the same discipline.

class TPDFAnalyst final {
 public:
  TPDFAnalyst() { Clear(); }
  TPDFAnalyst(const TPDFAnalyst&) = delete;
  TPDFAnalyst& operator=(const TPDFAnalyst&) = delete;

  // --- State ---------------------------------------------------------------------------
  void Clear();
  // Whether loading also opens the newer files: PDF 1.5 to 2.0, cross-reference and object
  // streams, and files encrypted with an empty user password. Off (the default), they are
  // refused. Kept across Clear and loads.
  void SetReadNewerFormats(bool on) { read_newer_formats_ = on; }
  // After a load: whether the file was refused, or is secured, for a reason that
  // SetReadNewerFormats(true) may lift (its version, a cross-reference stream, encryption).
  bool NeedsNewerFormats() const { return needs_newer_formats_; }

  // --- Document open ---------------------------------------------------------------------
  // Opens the file (other writers denied while it is held) as Document::OpenFile does.
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
  // Raises std::logic_error with no open file, IndexError for an invalid number: both are
  // faults of the caller.
  void CheckObjectNumber(int32_t n) const;
  // Sets the position of Stream() to the offset of object n; false (position unchanged)
  // when that offset lies outside the file, as for objects no section listed.
  bool SeekToObject(int32_t n);
  // SeekToObject, raising ReadError (as reading there would) when the offset lies outside.
  void SeekToExistingObject(int32_t n);

  // --- Whole objects ---------------------------------------------------------------------
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
  Document* GetDocument() const { return document_.get(); }
  const std::vector<bool>& FreeObjects() const { return free_objects_; }
  const std::string& FileName() const { return file_name_; }
  int32_t ObjectCount() const { return object_count_; }
  // -1 for what the document lacks, or without a document.
  int32_t PageCount() const { return document_ ? document_->PageCount().value_or(-1) : -1; }
  // Whether the file is secured: encrypted, and not decrypted at load.
  bool Encrypted() const { return document_ && document_->Encrypted(); }
  bool ErrorRaised() const { return error_raised_; }

 private:
  // The offset-table value of an object that lives in an object stream.
  static constexpr int32_t kInObjectStream = -2;

  void Load(const std::function<std::unique_ptr<Document>()>& open);
  // Adds "n 0 obj", body and "endobj" after the end of the reader's bytes and points object n
  // at them. Raises LoadError when the bytes would pass the reach of 32-bit offsets.
  void WriteOutObject(int32_t n, std::string_view body);
  // In a decrypted document: writes out every object decrypted, its strings as hexadecimal
  // strings and its stream data with /Length set to its new length.
  void WriteOutDecryptedObjects();
  // Writes out every object that the table places in an object stream; objects that cannot be
  // found there become free.
  void WriteOutPackedObjects();
  // Positions Stream() inside object n, after its "[" when the object holds an array.
  bool EnterArrayObject(int32_t n);
  bool IsFree(int32_t n) const { return free_objects_[static_cast<size_t>(n)]; }

  std::unique_ptr<Document> document_;
  std::unique_ptr<ByteStream> stream_;
  std::vector<int32_t> offsets_;
  std::vector<bool> free_objects_;
  std::string file_name_;
  int32_t object_count_ = -1;
  bool error_raised_ = false;
  bool read_newer_formats_ = false;
  bool needs_newer_formats_ = false;
};

}  // namespace lumenquill
