// PDF files in the forms of PDF 1.5 and later: the variants that tests/newer/make_variants.sh
// writes with qpdf from the reviewed files of tests/data, and the files of tests/data/newer as
// their producers wrote them (tools/make_newer_data.py). Told to read newer files, the reader
// gives each the text of its PDF 1.4 form, byte for byte; not told, it refuses each as it
// always has. Variants that forbid extraction or need a password stay refused either way.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/error.h"
#include "reader/document.h"
#include "reader/reader_errors.h"
#include "support/temp_file.h"
#include "text/text_extractor.h"

namespace lumenquill {
namespace {

namespace fs = std::filesystem;

const fs::path kData = LUMENQUILL_TEST_DATA_DIR;
const fs::path kVariants = LUMENQUILL_NEWER_VARIANTS_DIR;

constexpr char kUnsupported[] = "このファイルは未対応の形式です。";

// A variant that reading newer files lifts, and how the reader refuses it when not told to
// read them: the error message, or "" when it opens the file as secured.
struct VariantKind {
  const char* name;
  const char* refusal;
};

constexpr VariantKind kLiftedKinds[] = {
    {"object-streams", kUnsupported},
    // The table's offset names a cross-reference stream object, not "xref".
    {"xref-stream-at-1.4", "相互参照テーブルの位置が不正です。"},
    {"header-1.7", kUnsupported},
    {"rc4-40", ""},
    {"rc4-128", ""},
    {"aes-128", kUnsupported},
    {"aes-256", kUnsupported},
    {"aes-256-object-streams", kUnsupported},
};

// Refused whatever the switch: extraction forbidden, or a user password we are not given.
constexpr const char* kSecuredKinds[] = {"forbidden", "password-128", "password-256"};

// What the product makes of a file: the text of all its pages, or why there is none.
struct Outcome {
  std::string error;  // the message of the failed load or extraction
  bool secured = false;
  bool needs_newer_formats = false;
  std::string text;
};

Outcome Extract(const fs::path& pdf, bool read_newer_formats) {
  Outcome outcome;
  std::unique_ptr<Document> document;
  try {
    document = Document::OpenFile(pdf.string(), {read_newer_formats});
    outcome.needs_newer_formats = document->NeedsNewerFormats();
    if (document->Encrypted()) {
      outcome.secured = true;
      return outcome;
    }
    const bool cancel = false;
    std::string text;
    Extract(*document, {}, [&text](std::string_view part) { text += part; }, cancel);
    outcome.text = text;
  } catch (const LoadError& error) {
    outcome.error = error.what();
    outcome.needs_newer_formats = error.NeedsNewerFormats();
  } catch (const Error& error) {
    outcome.error = error.what();
    outcome.needs_newer_formats = document && document->NeedsNewerFormats();
  }
  return outcome;
}

std::string Describe(const Outcome& outcome) {
  if (!outcome.error.empty()) return "error: " + outcome.error;
  if (outcome.secured) return "opened as secured";
  return std::to_string(outcome.text.size()) + " bytes of text";
}

// Whether the file extracts to exactly the expected text.
::testing::AssertionResult ExtractsTo(const fs::path& pdf, bool read_newer_formats,
                                      const std::string& expected) {
  const Outcome outcome = Extract(pdf, read_newer_formats);
  if (outcome.error.empty() && !outcome.secured && outcome.text == expected) {
    return ::testing::AssertionSuccess();
  }
  auto failure = ::testing::AssertionFailure()
                 << pdf.filename().string() << ": " << Describe(outcome);
  if (outcome.error.empty() && !outcome.secured) {
    const auto differs =
        std::mismatch(outcome.text.begin(), outcome.text.end(), expected.begin(), expected.end())
            .first;
    failure << ", expected " << expected.size() << "; they differ from byte "
            << (differs - outcome.text.begin());
  }
  return failure;
}

// The reviewed files of tests/data that the variants are made from: those with a text.
std::vector<std::string> SourceNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(kData)) {
    if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
  }
  return names;
}

// The files of tests/data/newer.
std::vector<fs::path> NativeFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(kData / "newer")) {
    if (entry.path().extension() == ".pdf") files.push_back(entry.path());
  }
  return files;
}

fs::path Variant(const std::string& source, const std::string& kind) {
  return kVariants / (source + "." + kind + ".pdf");
}

fs::path OlderForm(const std::string& source, const std::string& kind) {
  return kVariants / (source + "." + kind + ".1.4.pdf");
}

fs::path NativeOlderForm(const fs::path& native) {
  return kVariants / "newer" / (native.stem().string() + ".1.4.pdf");
}

std::string ReviewedText(const fs::path& pdf) {
  fs::path text = pdf;
  return testing::ReadWholeFile(text.replace_extension(".txt").string());
}

// The harness itself, on what the reader of today reads: the PDF 1.4 form that qpdf makes of
// every variant and every newer file gives the reviewed text (X.txt), so the texts that the
// tests below expect are the reviewed ones.
TEST(NewerFormats, OlderFormsGiveTheReviewedText) {
  const std::vector<std::string> sources = SourceNames();
  EXPECT_GE(sources.size(), 20u);
  for (const std::string& source : sources) {
    const std::string expected = ReviewedText(kData / (source + ".pdf"));
    for (const VariantKind& kind : kLiftedKinds) {
      EXPECT_TRUE(ExtractsTo(OlderForm(source, kind.name), false, expected));
    }
  }
  const std::vector<fs::path> natives = NativeFiles();
  EXPECT_GE(natives.size(), 6u);
  for (const fs::path& native : natives) {
    EXPECT_TRUE(ExtractsTo(NativeOlderForm(native), false, ReviewedText(native)));
  }
}

TEST(NewerFormats, VariantsGiveTheTextOfTheirOlderFormsWhenRead) {
  for (const std::string& source : SourceNames()) {
    for (const VariantKind& kind : kLiftedKinds) {
      const std::string expected = Extract(OlderForm(source, kind.name), false).text;
      EXPECT_TRUE(ExtractsTo(Variant(source, kind.name), true, expected));
    }
  }
}

TEST(NewerFormats, NewerFilesGiveTheTextOfTheirOlderFormsWhenRead) {
  for (const fs::path& native : NativeFiles()) {
    const std::string expected = Extract(NativeOlderForm(native), false).text;
    EXPECT_TRUE(ExtractsTo(native, true, expected));
  }
}

// Not told to read newer files, the reader refuses each as it always has, and tells that
// reading newer files would lift the refusal.
TEST(NewerFormats, AreRefusedAsBeforeWhenNotRead) {
  for (const std::string& source : SourceNames()) {
    for (const VariantKind& kind : kLiftedKinds) {
      const fs::path variant = Variant(source, kind.name);
      SCOPED_TRACE(variant.filename().string());
      const Outcome outcome = Extract(variant, false);
      EXPECT_EQ(outcome.error, kind.refusal);
      EXPECT_EQ(outcome.secured, *kind.refusal == '\0');
      EXPECT_TRUE(outcome.needs_newer_formats);
    }
  }
  for (const fs::path& native : NativeFiles()) {
    SCOPED_TRACE(native.filename().string());
    const Outcome outcome = Extract(native, false);
    EXPECT_EQ(outcome.error, kUnsupported);
    EXPECT_TRUE(outcome.needs_newer_formats);
  }
}

// A file whose owner forbids extraction, or which needs a password, gives no text: it fails to
// load or opens as secured, and the decoder refuses a secured document.
TEST(NewerFormats, SecuredVariantsStayRefused) {
  int files = 0;
  for (const std::string& source : SourceNames()) {
    for (const char* kind : kSecuredKinds) {
      const fs::path variant = Variant(source, kind);
      if (!fs::exists(variant)) continue;
      SCOPED_TRACE(variant.filename().string());
      for (const bool read_newer_formats : {false, true}) {
        std::unique_ptr<Document> document;
        try {
          document = Document::OpenFile(variant.string(), {read_newer_formats});
        } catch (const Error&) {
          continue;
        }
        EXPECT_TRUE(document->Encrypted()) << "read newer formats: " << read_newer_formats;
        EXPECT_THROW(TextExtractor extractor(*document), Error);
      }
      ++files;
    }
  }
  EXPECT_EQ(files, 6);
}

}  // namespace
}  // namespace lumenquill
