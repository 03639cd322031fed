#include "content/page_resource_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/document_bytes.h"
#include "support/pdf_builder.h"

namespace lumenquill {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::OpenDocumentBytes;
using testing::TreeDocument;

using Objects = std::vector<std::pair<int32_t, std::string>>;
using Entries = std::vector<std::pair<std::string, int32_t>>;

Entries EntriesOf(const ResourceList& list) {
  Entries entries;
  for (const Resource& resource : list) entries.emplace_back(resource.name, resource.object_number);
  return entries;
}

std::vector<std::string> FormNames(const PageResources& page) {
  std::vector<std::string> names;
  for (const FormXObject& form : page.forms) names.push_back(form.name);
  return names;
}

// Object 40 makes every number up to it valid, so that entries may name objects the test does
// not need to write.
constexpr std::pair<int32_t, const char*> kTableFiller{40, "null"};

// A document whose page 3 has the given dictionary entries, under root node 2.
class PageResourceReading : public ::testing::Test {
 protected:
  void OpenPage(const std::string& page_entries, const Objects& objects = {},
                const std::string& root_entries = "") {
    Objects all = objects;
    all.emplace_back(kTableFiller);
    all.emplace_back(3, "<< /Type /Page /Parent 2 0 R " + page_entries + " >>");
    OpenTree(TreeDocument("<< /Type /Pages /Kids [3 0 R] " + root_entries + " >>", all));
  }
  void OpenTree(const std::string& bytes) {
    decoder_.reset();
    document_ = OpenDocumentBytes(bytes);
    decoder_ = std::make_unique<PageResourceReader>(*document_);
  }

  PageResources ReadPage() { return decoder_->ReadPageResources(3); }

  std::unique_ptr<Document> document_;
  std::unique_ptr<PageResourceReader> decoder_;
};

// A secured document's objects cannot be read.
TEST(PageResourceReaderConstruction, RefusesSecuredDocuments) {
  const std::unique_ptr<Document> encrypted =
      OpenDocumentBytes(testing::PdfBuilder()
                            .Object(1, "<< /Pages 2 0 R >>")
                            .Object(2, "<< /Kids [] >>")
                            .Trailer("/Root 1 0 R /Encrypt 5 0 R")
                            .Build());
  try {
    PageResourceReader decoder(*encrypted);
    FAIL();
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "対応できない形式です。");
  }
}

TEST_F(PageResourceReading, InlineAndReferencedResources) {
  OpenPage("/Resources << /Font << /F1 7 0 R /F2 8 0 R >> /ProcSet [/PDF /Text] >>");
  EXPECT_EQ(EntriesOf(ReadPage().fonts), (Entries{{"/F1", 7}, {"/F2", 8}}));

  OpenPage("/Resources 12 0 R", {{12, "<< /Font 20 0 R /XObject << /Fm0 9 0 R >> >>"},
                                 {20, "<< /F3 7 0 R >>"},
                                 {9, "<< /Subtype /Form >>"}});
  const PageResources page = ReadPage();
  EXPECT_EQ(EntriesOf(page.fonts), (Entries{{"/F3", 7}}));
  EXPECT_THAT(FormNames(page), ElementsAre("/Fm0"));
}

// Entries are read key by key: references are kept, direct dictionaries as they are, and any
// other value is passed over without the key after it.
TEST_F(PageResourceReading, CategoryEntriesKeyByKey) {
  OpenPage(
      "/Resources << /Font << /F0 /Helvetica /F1 6 0 R /F2 [/Type1 5 0 R] /F3 (a ] string) "
      "/F4 7 0 R /F5 99 0 R >> >>");
  EXPECT_EQ(EntriesOf(ReadPage().fonts), (Entries{{"/F1", 6}, {"/F4", 7}}));

  const std::string font = "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>";
  OpenPage("/Resources << /Font << /F1 " + font + " /F2 7 0 R >> >>");
  const ResourceList fonts = ReadPage().fonts;
  EXPECT_EQ(EntriesOf(fonts), (Entries{{"/F1", -1}, {"/F2", 7}}));
  ASSERT_TRUE(fonts[0].dictionary);
  EXPECT_EQ(fonts[0].dictionary->Find("/BaseFont")->Name(), "/Helvetica");
  EXPECT_FALSE(fonts[1].dictionary);
}

// A value holding nested dictionaries, arrays or strings does not end the resources early,
// wherever the resources stand: in the page, by reference, inherited, or in a form.
TEST_F(PageResourceReading, NestedValuesBeforeTheFonts) {
  const std::string nested =
      "/ExtGState << /a0 << /CA 1 /ca 1 >> >> /Pattern << /p0 << /Matrix [1 0 0 1 0 0] "
      "/Note (>> ]) /Key <3E3E> % >> ]\n >> >> ";
  OpenPage("/Resources << " + nested + "/Font << /F1 7 0 R >> >>");
  EXPECT_EQ(EntriesOf(ReadPage().fonts), (Entries{{"/F1", 7}}));

  OpenPage("/Resources 12 0 R",
           {{12, "13 0 R"}, {13, "<< " + nested + "/Font 14 0 R >>"}, {14, "<< /F2 8 0 R >>"}});
  EXPECT_EQ(EntriesOf(ReadPage().fonts), (Entries{{"/F2", 8}}));

  OpenPage("", {}, "/Resources << " + nested + "/Font << /F3 9 0 R >> >>");
  EXPECT_EQ(EntriesOf(ReadPage().fonts), (Entries{{"/F3", 9}}));

  OpenPage("/Resources << /XObject << /Fm0 10 0 R >> >>",
           {{10, "<< /Subtype 11 0 R /Resources << " + nested + "/Font << /F4 9 0 R >> >> >>"},
            {11, "/Form"}});
  const PageResources with_form = ReadPage();
  ASSERT_EQ(with_form.forms.size(), 1u);
  EXPECT_EQ(EntriesOf(with_form.forms[0].fonts), (Entries{{"/F4", 9}}));
}

// The nearest ancestor with /Resources gives all of them; a page with its own gets nothing.
TEST_F(PageResourceReading, InheritanceFromTheNearestAncestor) {
  OpenTree(TreeDocument("<< /Type /Pages /Kids [4 0 R] /Resources << /Font << /F1 9 0 R >> >> >>",
                        {{4, "<< /Type /Pages /Kids [3 0 R] /Parent 2 0 R >>"},
                         {3, "<< /Type /Page /Parent 4 0 R >>"},
                         {5, "<< /Type /Page /Parent 4 0 R /Resources /None >>"},
                         {6, "<< /Type /Page >>"},
                         kTableFiller}));
  EXPECT_EQ(EntriesOf(decoder_->ReadPageResources(3).fonts), (Entries{{"/F1", 9}}));
  EXPECT_THAT(EntriesOf(decoder_->ReadPageResources(5).fonts), IsEmpty());
  EXPECT_THAT(EntriesOf(decoder_->ReadPageResources(6).fonts), IsEmpty());
}

TEST_F(PageResourceReading, AParentCycleEnds) {
  OpenTree(TreeDocument("<< /Type /Pages /Kids [3 0 R] /Parent 4 0 R >>",
                        {{3, "<< /Type /Page /Parent 2 0 R >>"},
                         {4, "<< /Type /Pages /Parent 3 0 R >>"}}));
  EXPECT_THAT(EntriesOf(decoder_->ReadPageResources(3).fonts), IsEmpty());
}

// Forms are listed depth first, each before the forms inside it, with their own fonts; an
// image is no form, whatever entry comes first.
TEST_F(PageResourceReading, NestedFormsAreFlattened) {
  OpenPage("/Resources << /XObject << /Outer 10 0 R /Im 12 0 R /Second 13 0 R >> >>",
           {{10,
             "<< /Subtype /Form /Resources << /XObject << /Inner 11 0 R >> /Font << /F2 8 0 "
             "R >> >> /Length 0 >>\nstream\n\nendstream"},
            {11, "<< /BBox [0 0 1 1] /Subtype /Form /Resources << /Font << /F3 9 0 R >> >> >>"},
            {12, "<< /BBox [0 0 1 1] /Subtype /Image >>"},
            {13, "<< /Type /XObject /Subtype /Form >>"}});
  const PageResources page = ReadPage();
  EXPECT_THAT(FormNames(page), ElementsAre("/Outer", "/Inner", "/Second"));
  EXPECT_EQ(EntriesOf(page.forms[0].fonts), (Entries{{"/F2", 8}}));
  EXPECT_EQ(page.forms[1].object_number, 11);
  EXPECT_EQ(EntriesOf(page.forms[1].fonts), (Entries{{"/F3", 9}}));
}

// A form that reaches itself is not entered again; a form reached twice is listed twice.
TEST_F(PageResourceReading, FormLoopsEnd) {
  OpenPage("/Resources << /XObject << /A 10 0 R >> >>",
           {{10, "<< /Subtype /Form /Resources << /XObject << /B 11 0 R /Self 10 0 R >> >> >>"},
            {11, "<< /Subtype /Form /Resources << /XObject << /A 10 0 R /C 12 0 R >> >> >>"},
            {12, "<< /Subtype /Form >>"}});
  EXPECT_THAT(FormNames(ReadPage()), ElementsAre("/A", "/B", "/C"));
}

TEST_F(PageResourceReading, SharedFormsAreBounded) {
  // Twenty levels, each naming the next level twice: a million paths.
  Objects objects;
  for (int32_t n = 10; n < 30; ++n) {
    const std::string next = std::to_string(n + 1) + " 0 R";
    objects.emplace_back(
        n, "<< /Subtype /Form /Resources << /XObject << /X " + next + " /Y " + next + " >> >> >>");
  }
  objects.emplace_back(30, "<< /Subtype /Form >>");
  OpenPage("/Resources << /XObject << /X 10 0 R >> >>", objects);
  EXPECT_EQ(ReadPage().forms.size(), 10'000u);
}

// /Contents of the page itself: a stream, an array of streams, or a referenced array.
TEST_F(PageResourceReading, ContentObjects) {
  OpenPage("/Contents [5 0 R 9 0 R]", {{5, "<< >>"}, {9, "<< >>"}});
  EXPECT_THAT(decoder_->ContentObjects(3), ElementsAre(5, 9));

  OpenPage("/Annots [<< /Contents 9 0 R >>] /Contents 7 0 R", {{7, "[5 0 R]"}, {5, "<< >>"}});
  EXPECT_THAT(decoder_->ContentObjects(3), ElementsAre(5));

  OpenPage("/Contents 5 0 R", {{5, "<< >>"}});
  EXPECT_THAT(decoder_->ContentObjects(3), ElementsAre(5));

  OpenPage("");
  EXPECT_THAT(decoder_->ContentObjects(3), IsEmpty());
}

}  // namespace
}  // namespace lumenquill
