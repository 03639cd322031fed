#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "reader/byte_stream.h"
#include "reader/object_resolver.h"
#include "reader/pdf_value.h"
#include "reader/rectangle.h"
#include "reader/xref_table.h"

namespace lumenquill {

// Object numbers, as references name them: pages, content streams, the kids of a node.
using ObjectNumberList = std::vector<int32_t>;

// One open PDF document: its bytes, its cross-reference table, its objects (read on demand
// through Objects()), its trailer values, catalog and page tree. Opening checks the header,
// the end marker, every cross-reference section and trailer, the catalog and the page tree,
// and raises what the first failing check raises:
// - FileOpenError when the file cannot be opened;
// - LoadError with the check's Japanese message ("このファイルは未対応の形式です。", ...);
//   its NeedsNewerFormats() says whether reading the newer formats would lift the refusal;
// - ObjectIdError when the catalog or a page-tree node is not where the table places it;
// - ReadError when a section runs into the end of the file.
class Document final {
 public:
  // Whether opening also reads the newer files: PDF 1.5 to 2.0, cross-reference and object
  // streams, and files encrypted with an empty user password. Off, they are refused.
  struct Options {
    bool read_newer_formats = false;
  };

  // Opens the file, other writers denied while the document lives.
  static std::unique_ptr<Document> OpenFile(const std::string& path, const Options& options);
  // Opens a stream the document takes over, known by name.
  static std::unique_ptr<Document> OpenStream(std::unique_ptr<ByteStream> stream,
                                              const std::string& name, const Options& options);

  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // --- The file ---------------------------------------------------------------------------
  const std::string& FileName() const { return file_name_; }
  // The version text after "%PDF-", such as "1.4".
  const std::string& Version() const { return version_; }
  // The whole file.
  std::string_view Bytes() const { return stream_->Bytes(); }
  bool ReadsNewerFormats() const { return options_.read_newer_formats; }

  // --- Cross-reference sections and trailer -------------------------------------------------
  const XrefTable& Xref() const { return xref_; }
  // The offsets of the sections read, newest first, as decimal text.
  const std::vector<std::string>& XrefOffsets() const { return xref_offsets_; }
  std::optional<int32_t> RootNumber() const { return root_number_; }
  std::optional<int32_t> InfoNumber() const { return info_number_; }
  // The object number of the newest trailer's /Encrypt reference.
  std::optional<int32_t> EncryptNumber() const { return encrypt_number_; }
  // The bytes of the first string of the newest /ID; empty without one.
  const std::string& DocumentId() const { return document_id_; }

  // --- Encryption ---------------------------------------------------------------------------
  // Whether the file is secured: encrypted, and its objects not decrypted.
  bool Encrypted() const { return encrypted_ && !decrypted_; }
  // Whether the file is encrypted and its objects are decrypted as they are read.
  bool Decrypted() const { return decrypted_; }
  // Whether the file stays secured only because the newer formats are not read: the empty
  // password would open it.
  bool NeedsNewerFormats() const { return needs_newer_formats_; }

  // --- Objects ------------------------------------------------------------------------------
  ObjectResolver& Objects() { return *objects_; }

  // --- Catalog and pages -----------------------------------------------------------------
  // The root node of the page tree: the catalog's /Pages (an open fails without one).
  int32_t PagesRootNumber() const { return pages_root_number_; }
  // The number of pages the page tree holds, or when it cannot be walked past its first page,
  // the root node's /Count (0 when that is no integer; nothing without one).
  std::optional<int32_t> PageCount() const { return page_count_; }
  std::optional<int32_t> FirstPageNumber() const { return first_page_number_; }
  // The first page's /MediaBox, or that of its nearest ancestor that has one; all zero
  // without one.
  const Rectangle& FirstPageMediaBox() const { return media_box_; }
  // The page objects in document order. Raises ObjectIdError when the tree cannot be walked.
  ObjectNumberList PageObjects();

 private:
  // The offsets a trailer or cross-reference stream names: the older section (/Prev) and, in
  // the trailer of a classic section, the cross-reference stream that completes it (/XRefStm).
  struct SectionLinks {
    std::optional<int32_t> prev;
    std::optional<int32_t> xref_stream;
  };

  Document(std::unique_ptr<ByteStream> stream, std::string name, const Options& options);
  // Raises LoadError(message), noting whether the newer formats would lift the refusal.
  [[noreturn]] void Fail(const std::string& message, bool needs_newer_formats = false) const;
  void Open();
  int32_t ReadStartXref();
  // --- document_xref.cpp
  void ReadXrefSections(int32_t offset);
  void ReadXrefTable(ByteView& in, std::vector<int32_t>& freed);
  void ReadXrefSubsection(ByteView& in, int32_t start, int32_t count,
                          std::vector<int32_t>& freed);
  void GrowXref(int32_t size);
  SectionLinks ReadTrailer(ByteView& in);
  void ReadTrailerEntry(std::string_view key, const PdfValue& value, SectionLinks& links);
  void ReadHybridStream(int32_t offset, const std::vector<int32_t>& freed);
  std::optional<int32_t> ReadXrefStream(int32_t offset);
  bool HoldsXrefStream(int32_t offset) const;
  // --- document.cpp
  void SetUpDecryption();
  void ReadCatalog();
  // --- document_pages.cpp
  // Raises ObjectIdError unless the table places object n where "n" starts it (or in an
  // object stream that holds it).
  void CheckObject(int32_t n);
  void ReadPageCount();
  void ReadPages();
  void WalkPageTree(int32_t root, const std::function<bool(int32_t)>& on_page);
  void FindMediaBox(int32_t n);

  std::unique_ptr<ByteStream> stream_;
  std::string file_name_;
  Options options_;
  std::string version_;
  XrefTable xref_;
  std::vector<std::string> xref_offsets_;
  std::unique_ptr<ObjectResolver> objects_;
  std::optional<int32_t> root_number_;
  std::optional<int32_t> info_number_;
  std::optional<int32_t> encrypt_number_;
  std::string document_id_;
  bool document_id_read_ = false;
  bool encrypted_ = false;
  bool decrypted_ = false;
  bool needs_newer_formats_ = false;
  int32_t pages_root_number_ = 0;
  std::optional<int32_t> page_count_;
  std::optional<int32_t> first_page_number_;
  Rectangle media_box_;
  // The pages as the walk at open found them; not kept when that walk failed after the first
  // page, so that listing the pages fails again as it did.
  std::optional<ObjectNumberList> page_objects_;
};

}  // namespace lumenquill
