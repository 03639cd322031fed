// Opening a document: header, version, end marker, the sections (document_xref.cpp), the
// encryption, the catalog and the page tree (document_pages.cpp).

#include "reader/document.h"

#include "reader/decimal_text.h"
#include "reader/encryption_dictionary.h"
#include "reader/file_stream.h"
#include "reader/reading_primitives.h"

namespace lumenquill {

std::unique_ptr<Document> Document::OpenFile(const std::string& path, const Options& options) {
  return OpenStream(std::make_unique<FileStream>(path), path, options);
}

std::unique_ptr<Document> Document::OpenStream(std::unique_ptr<ByteStream> stream,
                                               const std::string& name, const Options& options) {
  std::unique_ptr<Document> document(new Document(std::move(stream), name, options));
  document->Open();
  return document;
}

Document::Document(std::unique_ptr<ByteStream> stream, std::string name, const Options& options)
    : stream_(std::move(stream)), file_name_(std::move(name)), options_(options) {
  objects_ = std::make_unique<ObjectResolver>(stream_->Bytes(), xref_);
}

void Document::Fail(const std::string& message, bool needs_newer_formats) const {
  throw LoadError(message, needs_newer_formats);
}

void Document::Open() {
  const std::string_view bytes = stream_->Bytes();
  if (bytes.size() < 5) Fail("このファイルは壊れています");
  if (bytes.substr(0, 5) != "%PDF-") Fail("このファイルはPDFファイルではありません。");
  ByteView header(bytes, 5);
  ReadToken(header, version_);
  if (version_.size() < 3) Fail("このファイルはPDFファイルではありません。");
  const char major_minor[] = {version_[0], version_[2]};
  // Versions 1.5 to 2.0 are read only when the newer formats are.
  const std::optional<int32_t> version = ParseDecimal(std::string_view(major_minor, 2));
  if (!version || *version > (options_.read_newer_formats ? 20 : 14)) {
    Fail("このファイルは未対応の形式です。",
         !options_.read_newer_formats && version && *version <= 20);
  }

  ReadXrefSections(ReadStartXref());
  SetUpDecryption();
  if (!root_number_) Fail("RootIDが正確に取得できませんでした。");
  ReadCatalog();
  ReadPageCount();
  ReadPages();
}

// The end marker: the last bytes other than LF, CR and space must be "%%EOF"; the offset of
// the newest section is the last word before it.
int32_t Document::ReadStartXref() {
  const std::string_view bytes = stream_->Bytes();
  size_t end = bytes.size();
  while (end > 0 && IsTokenWhiteSpace(bytes[end - 1])) --end;
  if (end < 5 || bytes.substr(end - 5, 5) != "%%EOF") Fail("%%EOFがありません。");
  size_t word_end = end - 5;
  while (word_end > 0 && IsTokenWhiteSpace(bytes[word_end - 1])) --word_end;
  size_t word_start = word_end;
  while (word_start > 0 && !IsTokenWhiteSpace(bytes[word_start - 1])) --word_start;
  const std::optional<int32_t> offset =
      ParseDecimal(bytes.substr(word_start, word_end - word_start));
  if (!offset) Fail("相互参照テーブルの位置を正確に取得できませんでした。");
  return *offset;
}

// An encrypted file read with the newer formats is decrypted as its objects are read, when the
// standard security handler opens with the empty user password and its permissions let the
// text be read. Otherwise it stays secured; without the newer formats, whether they would open
// it is noted.
void Document::SetUpDecryption() {
  if (!encrypted_) return;
  std::optional<SecurityHandler> handler;
  try {
    // The encryption dictionary must be written in the file itself.
    const std::optional<EncryptionDictionary> dictionary =
        encrypt_number_ && xref_.FileOffset(*encrypt_number_)
            ? ReadEncryptionDictionary(*objects_, *encrypt_number_)
            : std::nullopt;
    if (dictionary) handler = SecurityHandler::OpenWithEmptyPassword(*dictionary, document_id_);
  } catch (const Error&) {
    // A damaged encryption dictionary leaves the file secured.
  }
  const bool readable = handler && handler->AllowsTextExtraction();
  if (!options_.read_newer_formats) {
    needs_newer_formats_ = readable;
    return;
  }
  if (!readable) return;
  objects_->SetDecryption(std::move(*handler), encrypt_number_.value_or(-1));
  decrypted_ = true;
}

namespace {

// The object number a value names by reference or, written as an integer, directly.
std::optional<int32_t> NumberNamed(const PdfValue* value) {
  if (!value) return std::nullopt;
  if (const PdfReference* reference = value->Reference()) return reference->number;
  return value->Integer();
}

}  // namespace

// The root of the page tree is the catalog's last /Pages.
void Document::ReadCatalog() {
  CheckObject(*root_number_);
  const std::optional<PdfValue> catalog = objects_->ObjectOnce(*root_number_);
  const PdfDictionary* dictionary = catalog ? catalog->DictionaryOrStreamDictionary() : nullptr;
  std::optional<int32_t> pages;
  if (dictionary) {
    for (const auto& [key, value] : *dictionary) {
      if (key == "/Pages") pages = NumberNamed(&value);
    }
  }
  if (!pages || *pages == -1) Fail("FirstPagesIDが正確に取得できませんでした。");
  pages_root_number_ = *pages;
}

}  // namespace lumenquill
