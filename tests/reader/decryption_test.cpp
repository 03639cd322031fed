// Encrypted documents: the file key of each revision of the standard security handler, the
// decrypted objects compared with the plain document, and the files that stay secured.
// tests/data/encrypted/ is made by tools/make_encrypted_test_data.sh with qpdf.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "info/document_report.h"
#include "reader/encryption_dictionary.h"
#include "reader/memory_stream.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"
#include "reader/security_handler.h"
#include "support/document_bytes.h"
#include "support/pdf_builder.h"
#include "support/temp_file.h"

namespace lumenquill {
namespace {

using testing::PdfBuilder;

std::string EncryptedFile(const std::string& name) {
  return std::string(LUMENQUILL_TEST_DATA_DIR) + "/encrypted/" + name + ".pdf";
}

std::string ToHex(const std::string& bytes) {
  std::string text = HexStringText(bytes);
  return text.substr(1, text.size() - 2);
}

// The handler of a file, opened from the /Encrypt and /ID its trailer names.
std::optional<SecurityHandler> HandlerOf(const std::string& path) {
  // The encryption dictionary itself is never decrypted.
  const std::unique_ptr<Document> document = Document::OpenFile(path, {true});
  if (!document->EncryptNumber()) {
    ADD_FAILURE() << "no /Encrypt";
    return std::nullopt;
  }
  const std::optional<EncryptionDictionary> dictionary =
      ReadEncryptionDictionary(document->Objects(), *document->EncryptNumber());
  EXPECT_TRUE(dictionary.has_value());
  return dictionary ? SecurityHandler::OpenWithEmptyPassword(*dictionary, document->DocumentId())
                    : std::nullopt;
}

// The file keys qpdf reports with --show-encryption-key, in upper case.
TEST(Decryption, FileKeyOfEachRevision) {
  const std::vector<std::pair<std::string, std::string>> keys = {
      {"rc4-40", "5E3CA54FF6"},
      {"rc4-128", "79063FED6982A7DD70846796D98B7446"},
      {"aes-128", "79063FED6982A7DD70846796D98B7446"},
      {"aes-128-clear-metadata", "E7F7AA6C105D0C9EFDD20146E0592A61"},
      {"aes-256-r5", "655A06CA65FE088E6585F4FD6DF89950EE5FD43B22994E88E922BE2F144673D0"},
      {"aes-256-r6", "246BCE2B6FE16B16C2A7EB7644F81947382EF07FA4DD08865F1B7D1E3D5DBFB7"},
  };
  for (const auto& [name, key] : keys) {
    SCOPED_TRACE(name);
    const std::optional<SecurityHandler> handler = HandlerOf(EncryptedFile(name));
    ASSERT_TRUE(handler.has_value());
    EXPECT_EQ(ToHex(handler->FileKey()), key) << name;
    EXPECT_TRUE(handler->AllowsTextExtraction());
  }
  // A user password that is not empty fails the check against /U.
  EXPECT_FALSE(HandlerOf(EncryptedFile("rc4-128-user-password")).has_value());
  EXPECT_FALSE(HandlerOf(EncryptedFile("aes-256-user-password")).has_value());
  // Copying forbidden: refused up to revision 2 and when extraction for accessibility is
  // forbidden too; revision 6 keeps that bit set, which allows the text.
  EXPECT_FALSE(HandlerOf(EncryptedFile("rc4-40-no-extract"))->AllowsTextExtraction());
  EXPECT_FALSE(HandlerOf(EncryptedFile("rc4-128-no-extract"))->AllowsTextExtraction());
  EXPECT_TRUE(HandlerOf(EncryptedFile("aes-256-no-copy"))->AllowsTextExtraction());
}

// The strings a value holds, in order.
void AppendStrings(const PdfValue& value, std::vector<std::string>& strings) {
  if (const PdfString* string = value.String()) strings.push_back(string->bytes);
  if (const PdfArray* array = value.Array()) {
    for (const PdfValue& element : *array) AppendStrings(element, strings);
  }
  if (const PdfDictionary* dictionary = value.DictionaryOrStreamDictionary()) {
    for (const auto& entry : *dictionary) AppendStrings(entry.second, strings);
  }
}

std::vector<std::string> StringsOfObject(Document& document, std::optional<int32_t> n) {
  std::vector<std::string> strings;
  const PdfValue* object = n ? document.Objects().Object(*n) : nullptr;
  if (object) AppendStrings(*object, strings);
  return strings;
}

std::string Decoded(Document& document, const PdfValue& value) {
  MemoryStream decoded;
  const PdfValue resolved = document.Objects().Resolve(value);
  if (const PdfStream* stream = resolved.Stream()) {
    document.Objects().DecodeStream(*stream, decoded);
  }
  return decoded.Release();
}

// What the text extraction reads of a document: its pages, the decoded bytes of each page's
// content streams, and the strings of its information dictionary.
struct DocumentContent {
  ObjectNumberList pages;
  std::vector<std::string> contents;
  std::vector<std::string> info_strings;
};

DocumentContent ContentOf(Document& document) {
  DocumentContent content;
  content.pages = document.PageObjects();
  ObjectResolver& objects = document.Objects();
  for (const int32_t page : content.pages) {
    const PdfValue contents = objects.Get(*objects.Object(page)->Dictionary(), "/Contents");
    if (const PdfArray* array = contents.Array()) {
      for (const PdfValue& part : *array) content.contents.push_back(Decoded(document, part));
    } else {
      content.contents.push_back(Decoded(document, contents));
    }
  }
  content.info_strings = StringsOfObject(document, document.InfoNumber());
  return content;
}

std::unique_ptr<Document> OpenNewer(const std::string& path) {
  return Document::OpenFile(path, {true});
}

TEST(Decryption, DecryptedFilesReadAsThePlainOne) {
  const DocumentContent plain = ContentOf(*Document::OpenFile(EncryptedFile("plain"), {}));
  ASSERT_EQ(plain.pages.size(), 3u);
  ASSERT_EQ(plain.contents.size(), 3u);
  EXPECT_NE(plain.contents[0].find("BT"), std::string::npos);
  EXPECT_FALSE(plain.info_strings.empty());

  for (const char* name :
       {"rc4-40", "rc4-128", "aes-128", "aes-256-r5", "aes-256-r6", "aes-256-no-copy"}) {
    SCOPED_TRACE(name);
    const std::unique_ptr<Document> document = OpenNewer(EncryptedFile(name));
    ASSERT_FALSE(document->Encrypted());
    EXPECT_TRUE(document->Decrypted());
    EXPECT_FALSE(document->NeedsNewerFormats());
    std::ostringstream report;
    WriteDocumentReport(*document, report);
    EXPECT_NE(report.str().find("\nEncrypted: yes, decrypted\n"), std::string::npos);
    const DocumentContent decrypted = ContentOf(*document);
    EXPECT_EQ(decrypted.pages, plain.pages);
    EXPECT_EQ(decrypted.contents, plain.contents);
    EXPECT_EQ(decrypted.info_strings, plain.info_strings);
  }
}

// Metadata that the dictionary leaves in the clear stays as it is; the rest is decrypted.
TEST(Decryption, MetadataInTheClear) {
  const std::unique_ptr<Document> document = OpenNewer(EncryptedFile("aes-128-clear-metadata"));
  ASSERT_FALSE(document->Encrypted());
  const DocumentContent plain = ContentOf(*Document::OpenFile(
      std::string(LUMENQUILL_TEST_DATA_DIR) + "/ghostscript-glyphshow-latin.pdf", {}));
  ASSERT_FALSE(plain.contents.empty());
  const DocumentContent decrypted = ContentOf(*document);
  EXPECT_EQ(decrypted.contents, plain.contents);
  EXPECT_EQ(decrypted.info_strings, plain.info_strings);

  const PdfValue* catalog = document->Objects().Object(*document->RootNumber());
  const PdfValue* metadata = catalog->Dictionary()->Find("/Metadata");
  ASSERT_NE(metadata, nullptr);
  EXPECT_TRUE(Decoded(*document, *metadata).starts_with("<?xpacket"));
}

TEST(Decryption, SecuredFilesAreRefused) {
  // With the newer formats read: a password is needed, or the permissions forbid the text.
  for (const char* name : {"rc4-128-user-password", "aes-256-user-password", "rc4-40-no-extract",
                           "rc4-128-no-extract"}) {
    SCOPED_TRACE(name);
    const std::unique_ptr<Document> document = OpenNewer(EncryptedFile(name));
    EXPECT_TRUE(document->Encrypted());
    EXPECT_FALSE(document->NeedsNewerFormats());
  }
  // Without them every encrypted file is secured, or refused for its version, as before; the
  // reader says that the newer formats would help only where they would open the file (a
  // newer version is refused before its encryption is looked at).
  const struct {
    const char* name;
    bool would_open;
  } kWithout[] = {{"rc4-40", true},
                  {"rc4-128", true},
                  {"aes-128", true},
                  {"aes-256-r5", true},
                  {"aes-256-r6", true},
                  {"rc4-128-user-password", false},
                  {"rc4-128-no-extract", false},
                  {"rc4-40-no-extract", false}};
  for (const auto& file : kWithout) {
    SCOPED_TRACE(file.name);
    bool refused = false;
    bool needs_newer_formats = false;
    try {
      const std::unique_ptr<Document> document = Document::OpenFile(EncryptedFile(file.name), {});
      refused = document->Encrypted();
      needs_newer_formats = document->NeedsNewerFormats();
    } catch (const LoadError& error) {
      refused = std::string(error.what()) == "このファイルは未対応の形式です。";
      needs_newer_formats = error.NeedsNewerFormats();
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(needs_newer_formats, file.would_open);
  }
  EXPECT_FALSE(Document::OpenFile(EncryptedFile("plain"), {})->NeedsNewerFormats());
}

// A revision 4 file whose crypt filters are /Identity (the /O, /U and /ID of aes-128.pdf): its
// objects are decrypted with their data left as it is, which shows what decryption reads.
// extra adds entries to the encryption dictionary.
std::string IdentityEncryptedDocument(
    const std::string& info, const std::string& extra = "",
    const std::string& id =
        "<1c178198fbdfa51b25995d89d4102043><31415926535897932384626433832795>") {
  testing::PdfBuilder pdf = testing::PagesShowing({"BT (a) Tj ET"});
  pdf.Replace(5, "<< /Length 9 0 R >>\nstream\r\nBT (a) Tj ET\nendstream")
      .Object(9, "12")
      .Object(6, info)
      .Object(7,
              "<< /Filter /Standard /V 4 /R 4 /Length 128 /P -4"
              " /CF << /StdCF << /CFM /AESV2 >> >> /StmF /Identity /StrF /Identity"
              " /O <566fa873ee33c797cd3b904fdadf814afa34df9a38f6ed41b984e2c6da2aa6f5>"
              " /U <7c01ad28ccb0eae8bbad90b03594766c0122456a91bae5134273a6db134c87c4>" +
                  extra + " >>")
      .Trailer("/Root 1 0 R /Info 6 0 R /Encrypt 7 0 R /ID [" + id + "]");
  return pdf.Build();
}

TEST(Decryption, IdentityFiltersAndTheKeyTheyNeed) {
  const std::string info = "<< /Title (a(b)c) /Subject <41 4> >>";
  const std::unique_ptr<Document> document =
      testing::OpenDocumentBytes(IdentityEncryptedDocument(info), true);
  ASSERT_TRUE(document->Decrypted());
  EXPECT_EQ(StringsOfObject(*document, 6), (std::vector<std::string>{"a(b)c", "A@"}));
  // The stream's data, its /Length by reference.
  EXPECT_EQ(ContentOf(*document).contents, std::vector<std::string>{"BT (a) Tj ET"});

  // A string that runs to the end of the file leaves its object unread; another /ID or a
  // crypt filter the dictionary does not define leaves the file secured.
  EXPECT_TRUE(testing::OpenDocumentBytes(IdentityEncryptedDocument("<< /Title (open >>"), true)
                  ->Decrypted());
  // The key needs the first /ID string, here a literal string, whatever follows it.
  for (const char* id : {"(\\034\\027\\201\\230\\373\\337\\245\\033%\\231]\\211\\324\\020 C) (x(y)",
                         "<1C178198FBDFA51B25995D89D4102043>"}) {
    EXPECT_TRUE(
        testing::OpenDocumentBytes(IdentityEncryptedDocument(info, "", id), true)->Decrypted())
        << id;
  }
  EXPECT_TRUE(testing::OpenDocumentBytes(
                  IdentityEncryptedDocument(info, "", "<1C178198FBDFA51B25995D89D4102044>"), true)
                  ->Encrypted());
  EXPECT_TRUE(testing::OpenDocumentBytes(IdentityEncryptedDocument(info, " /StrF /Unknown"), true)
                  ->Encrypted());
}

TEST(StringObjects, LiteralAndHexadecimalStrings) {
  const auto literal = [](const std::string& text) {
    MemoryStream stream(text);
    return ReadLiteralStringBytes(stream);
  };
  EXPECT_EQ(literal("a(b(c))d)rest"), "a(b(c))d");
  EXPECT_EQ(literal("\\n\\r\\t\\b\\f\\(\\)\\\\\\q)"), std::string("\n\r\t\b\f()\\q"));
  EXPECT_EQ(literal("\\0\\12\\1234\\777)"), std::string("\0\n"
                                                        "S4\xFF",
                                                        5));
  EXPECT_EQ(literal("a\\\r\nb\\\nc\rd\r\ne)"), "abc\nd\ne");
  EXPECT_THROW(literal("(a)"), ReadError);
  EXPECT_THROW(literal("a\\"), ReadError);

  const auto hex = [](const std::string& text) {
    MemoryStream stream(text);
    return ReadHexStringBytes(stream);
  };
  EXPECT_EQ(hex("4 1\n4a6>"), "AJ`");
  EXPECT_EQ(hex(">"), "");
  EXPECT_THROW(hex("41"), ReadError);
  EXPECT_EQ(HexStringText(std::string("\0\xFFz", 3)), "<00FF7A>");
}

}  // namespace
}  // namespace lumenquill
