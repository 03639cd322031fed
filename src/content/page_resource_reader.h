#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>

#include "content/page_resources.h"
#include "reader/document.h"
#include "reader/memory_stream.h"
#include "reader/pdf_value.h"

namespace lumenquill {

// Answers what the text extraction asks of each page: its fonts and the form XObjects it
// reaches (from the nearest ancestor's /Resources when the page has none), and the objects that
// make up its content.
class PageResourceReader final {
 public:
  // See CheckDecodable.
  explicit PageResourceReader(Document& document);

  // The resources of page object page_object. Raises ReadError when the page object cannot be
  // read.
  PageResources ReadPageResources(int32_t page_object);
  // What Do draws of a form XObject: the fonts and XObjects of its own /Resources (none when
  // it has no /Resources, and takes its parent's) and its /Matrix (a b c d e f; the identity
  // without one, or with one that is not six numbers).
  struct FormDetails {
    const ResourceList* fonts;
    const ResourceList* xobjects;
    bool has_resources;
    std::array<double, 6> matrix;
  };
  // The details of XObject n when it is a form, read once; nothing for any other XObject.
  // Valid while the reader lives.
  std::optional<FormDetails> FormOf(int32_t n);
  // The object numbers of the page's content streams, in order.
  ObjectNumberList ContentObjects(int32_t page_object);
  // Appends the decoded data of stream object n to dest; nothing for an object that holds no
  // stream. Raises what ObjectResolver::DecodeStream raises.
  void DecodeStreamObject(int32_t n, MemoryStream& dest);

 private:
  // The two categories of a resource dictionary that the extraction follows.
  struct Categories {
    ResourceList fonts;
    ResourceList xobjects;
  };

  // The dictionary of a page object; raises ReadError when the object cannot be read.
  const PdfDictionary& PageDictionary(int32_t page_object);
  // Reads the node's /Resources into target; false when the node has none.
  bool ReadNodeResources(const PdfDictionary& node, Categories& target);
  void ReadCategory(const PdfValue& value, ResourceList& list);
  // Adds to page every form XObject that the XObjects reach.
  void AddForms(const ResourceList& xobjects, PageResources& page);
  // The resources of XObject n when it is a form, read once; null for any other XObject.
  const Categories* FormResources(int32_t n);

  const XrefTable& xref_;
  ObjectResolver& objects_;
  // The page read last, which the next question is usually about.
  int32_t last_page_number_ = -1;
  PdfDictionary last_page_;
  // The object a page's /Contents reference led to, read last: usually the stream that is
  // decoded next.
  int32_t last_contents_number_ = -1;
  std::optional<PdfValue> last_contents_;
  struct Form {
    Categories resources;
    bool has_resources;
    std::array<double, 6> matrix;
  };
  // The forms read so far, by object number; none for an XObject that is no form. A form's
  // resources are its own whatever page lists it, and the same forms recur on many pages.
  std::unordered_map<int32_t, std::optional<Form>> forms_read_;
  const Form* ReadForm(int32_t n);
};

}  // namespace lumenquill
