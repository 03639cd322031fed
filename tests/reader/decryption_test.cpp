// Encrypted documents: the file key of each revision of the standard security handler, the
// decrypted objects compared with the plain document, and the files that stay secured.
// tests/data/encrypted/ is made by tools/make_encrypted_test_data.sh with qpdf.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "content/page_resource_reader.h"
#include "info/document_report.h"
#include "reader/encryption_dictionary.h"
#include "reader/memory_stream.h"
#include "reader/object_decryption.h"
#include "reader/open_document.h"
#include "reader/pdf_analyst.h"
#include "reader/pdf_strings.h"
#include "reader/reading_primitives.h"
#include "reader/security_handler.h"
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
  const std::string bytes = testing::ReadWholeFile(path);
  const size_t encrypt = bytes.rfind("/Encrypt ");
  const size_t id = bytes.rfind("/ID [<");
  if (encrypt == std::string::npos || id == std::string::npos) {
    ADD_FAILURE() << "no /Encrypt or /ID";
    return std::nullopt;
  }
  // The encryption dictionary itself is never decrypted.
  const std::unique_ptr<Document> document = Document::OpenFile(path, {true});
  const std::optional<EncryptionDictionary> dictionary =
      ReadEncryptionDictionary(document->Objects(), std::stoi(bytes.substr(encrypt + 9)));
  EXPECT_TRUE(dictionary.has_value());
  MemoryStream hex(bytes.substr(id + 6));
  return dictionary ? SecurityHandler::OpenWithEmptyPassword(*dictionary, ReadHexStringBytes(hex))
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

// The string values of object n, in order, as their bytes.
std::vector<std::string> StringsOfObject(TPDFAnalyst& reader, int32_t n) {
  std::vector<std::string> strings;
  ByteStream& stream = *reader.Stream();
  reader.SeekToExistingObject(n);
  SkipObjectHeader(stream);
  std::string token;
  for (ReadToken(stream, token); token != "endobj"; ReadToken(stream, token)) {
    if (token == "%") SkipLine(stream);
    if (token == "(") strings.push_back(ReadLiteralStringBytes(stream));
    if (token == "<" && stream.Peek(1) != "<") strings.push_back(ReadHexStringBytes(stream));
    if (token == "<" && stream.Peek(1) == "<") stream.Move(1);
  }
  return strings;
}

// What the text extraction reads of a document: its pages, the decoded bytes of each page's
// content streams, and the strings of its information dictionary.
struct DocumentContent {
  ObjectNumberList pages;
  std::vector<std::string> contents;
  std::vector<std::string> info_strings;
};

// The decoded data of stream object n.
std::string DecodedStream(TPDFAnalyst& reader, int32_t n) {
  ObjectResolver& objects = reader.GetDocument()->Objects();
  MemoryStream decoded;
  if (const PdfValue* object = objects.Object(n); object && object->Stream()) {
    objects.DecodeStream(*object->Stream(), decoded);
  }
  return decoded.Release();
}

DocumentContent ContentOf(TPDFAnalyst& reader) {
  DocumentContent content;
  reader.GetPageObjects(content.pages);
  PageResourceReader decoder(*reader.GetDocument());
  for (const int32_t page : content.pages) {
    for (const int32_t object : decoder.ContentObjects(page)) {
      content.contents.push_back(DecodedStream(reader, object));
    }
  }
  content.info_strings = StringsOfObject(reader, reader.InfoID());
  return content;
}

TEST(Decryption, DecryptedFilesReadAsThePlainOne) {
  TPDFAnalyst plain_reader;
  plain_reader.LoadFromFile(EncryptedFile("plain"));
  const DocumentContent plain = ContentOf(plain_reader);
  ASSERT_EQ(plain.pages.size(), 3u);
  ASSERT_EQ(plain.contents.size(), 3u);
  EXPECT_NE(plain.contents[0].find("BT"), std::string::npos);
  EXPECT_FALSE(plain.info_strings.empty());

  for (const char* name :
       {"rc4-40", "rc4-128", "aes-128", "aes-256-r5", "aes-256-r6", "aes-256-no-copy"}) {
    SCOPED_TRACE(name);
    TPDFAnalyst reader;
    reader.SetReadNewerFormats(true);
    reader.LoadFromFile(EncryptedFile(name));
    ASSERT_FALSE(reader.Encrypted());
    EXPECT_TRUE(reader.Decrypted());
    EXPECT_FALSE(reader.NeedsNewerFormats());
    std::ostringstream report;
    WriteDocumentReport(reader, report);
    EXPECT_NE(report.str().find("\nEncrypted: yes, decrypted\n"), std::string::npos);
    const DocumentContent decrypted = ContentOf(reader);
    EXPECT_EQ(decrypted.pages, plain.pages);
    EXPECT_EQ(decrypted.contents, plain.contents);
    EXPECT_EQ(decrypted.info_strings, plain.info_strings);
  }
}

// Metadata that the dictionary leaves in the clear stays as it is; the rest is decrypted.
TEST(Decryption, MetadataInTheClear) {
  TPDFAnalyst reader;
  reader.SetReadNewerFormats(true);
  reader.LoadFromFile(EncryptedFile("aes-128-clear-metadata"));
  ASSERT_FALSE(reader.Encrypted());
  TPDFAnalyst source;
  source.LoadFromFile(std::string(LUMENQUILL_TEST_DATA_DIR) + "/ghostscript-glyphshow-latin.pdf");
  const DocumentContent plain = ContentOf(source);
  ASSERT_FALSE(plain.contents.empty());
  EXPECT_EQ(ContentOf(reader).contents, plain.contents);
  EXPECT_EQ(ContentOf(reader).info_strings, plain.info_strings);

  const std::string catalog =
      *reader.ReadObjectBytes(reader.RootID(), reader.GetObjectSize(reader.RootID()));
  const size_t metadata_key = catalog.find("/Metadata ");
  ASSERT_NE(metadata_key, std::string::npos);
  EXPECT_TRUE(DecodedStream(reader, std::stoi(catalog.substr(metadata_key + 10)))
                  .starts_with("<?xpacket"));
}

TEST(Decryption, SecuredFilesAreRefused) {
  // With the newer formats read: a password is needed, or the permissions forbid the text.
  for (const char* name : {"rc4-128-user-password", "aes-256-user-password", "rc4-40-no-extract",
                           "rc4-128-no-extract"}) {
    SCOPED_TRACE(name);
    TPDFAnalyst reader;
    reader.SetReadNewerFormats(true);
    reader.LoadFromFile(EncryptedFile(name));
    EXPECT_TRUE(reader.Encrypted());
    EXPECT_FALSE(reader.NeedsNewerFormats());
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
    TPDFAnalyst reader;
    bool refused = false;
    try {
      reader.LoadFromFile(EncryptedFile(file.name));
      refused = reader.Encrypted();
    } catch (const LoadError& error) {
      refused = std::string(error.what()) == "このファイルは未対応の形式です。";
    }
    EXPECT_TRUE(refused);
    EXPECT_EQ(reader.NeedsNewerFormats(), file.would_open);
  }
  TPDFAnalyst plain_reader;
  plain_reader.LoadFromFile(EncryptedFile("plain"));
  EXPECT_FALSE(plain_reader.NeedsNewerFormats());
}

// A revision 4 file whose crypt filters are /Identity (the /O, /U and /ID of aes-128.pdf): its
// objects are rewritten as when decrypted, with data left as it is, which shows the rewriting.
// extra adds entries to the encryption dictionary.
std::string IdentityEncryptedDocument(
    const std::string& info, const std::string& extra = "",
    const std::string& id =
        "<1c178198fbdfa51b25995d89d4102043><31415926535897932384626433832795>") {
  PdfBuilder pdf;
  pdf.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
      .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
      .Object(3, "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>")
      .Object(4, "<< /Length 5 0 R >>\nstream\r\nBT (a) Tj ET\nendstream")
      .Object(5, "12")
      .Object(6, info)
      .Object(8, "<< /Type /XRef /Length 5 0 R >>\nstream\r\n(not a string\nendstream")
      .Object(7,
              "<< /Filter /Standard /V 4 /R 4 /Length 128 /P -4"
              " /CF << /StdCF << /CFM /AESV2 >> >> /StmF /Identity /StrF /Identity"
              " /O <566fa873ee33c797cd3b904fdadf814afa34df9a38f6ed41b984e2c6da2aa6f5>"
              " /U <7c01ad28ccb0eae8bbad90b03594766c0122456a91bae5134273a6db134c87c4>" +
                  extra + " >>")
      .Trailer("/Root 1 0 R /Info 6 0 R /Encrypt 7 0 R /ID [" + id + "]");
  return pdf.Build();
}

TEST(Decryption, RewrittenObjects) {
  const std::string info =
      "<< /Title (a(b)c\\)d\\101\\\nz) /Subject <41 4> % (comment\n"
      "/Keywords (endobj \\(\r\n) /Nested << /Length 3 >> >>";
  const std::string document = IdentityEncryptedDocument(info);
  TPDFAnalyst reader;
  reader.SetReadNewerFormats(true);
  testing::Open(reader, document);
  ASSERT_FALSE(reader.Encrypted());
  // Rewritten objects move after the file's bytes; the encryption dictionary and the
  // cross-reference stream keep the places they have.
  const auto file_size = static_cast<int32_t>(document.size());
  for (const int32_t n : {1, 2, 3, 4, 5, 6}) EXPECT_GE(reader.GetOffsets()[n], file_size) << n;
  EXPECT_LT(reader.GetOffsets()[7], file_size);
  EXPECT_LT(reader.GetOffsets()[8], file_size);
  EXPECT_EQ(StringsOfObject(reader, 6),
            (std::vector<std::string>{"a(b)c)dAz", "A@", "endobj (\n"}));
  const std::string rewritten = *reader.ReadObjectBytes(6, reader.GetObjectSize(6));
  EXPECT_NE(rewritten.find("% (comment\n"), std::string::npos);
  EXPECT_NE(rewritten.find("/Nested << /Length 3 >>"), std::string::npos);
  // The indirect /Length becomes the direct length of the data.
  const std::string stream = *reader.ReadObjectBytes(4, reader.GetObjectSize(4));
  EXPECT_NE(stream.find("<< /Length 12 >>\nstream\nBT (a) Tj ET\n"), std::string::npos) << stream;
  EXPECT_EQ(DecodedStream(reader, 4), "BT (a) Tj ET");

  // A string that runs to the end of the file leaves its object as it was; another /ID or a
  // crypt filter the dictionary does not define leaves the file secured.
  TPDFAnalyst unclosed;
  unclosed.SetReadNewerFormats(true);
  testing::Open(unclosed, IdentityEncryptedDocument("<< /Title (open >>"));
  EXPECT_FALSE(unclosed.Encrypted());
  const std::string kept = *unclosed.ReadObjectBytes(6, unclosed.GetObjectSize(6));
  EXPECT_TRUE(kept.starts_with("6 0 obj\n<< /Title (open >>")) << kept;
  // The key needs the first /ID string, here a literal string, whatever follows it.
  for (const char* id : {"(\\034\\027\\201\\230\\373\\337\\245\\033%\\231]\\211\\324\\020 C) (x(y)",
                         "<1C178198FBDFA51B25995D89D4102043>"}) {
    TPDFAnalyst literal_id;
    literal_id.SetReadNewerFormats(true);
    testing::Open(literal_id, IdentityEncryptedDocument(info, "", id));
    EXPECT_FALSE(literal_id.Encrypted()) << id;
  }
  TPDFAnalyst other_id;
  other_id.SetReadNewerFormats(true);
  testing::Open(other_id,
                IdentityEncryptedDocument(info, "", "<1C178198FBDFA51B25995D89D4102044>"));
  EXPECT_TRUE(other_id.Encrypted());
  TPDFAnalyst unknown_filter;
  unknown_filter.SetReadNewerFormats(true);
  testing::Open(unknown_filter, IdentityEncryptedDocument(info, " /StrF /Unknown"));
  EXPECT_TRUE(unknown_filter.Encrypted());
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
