#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>

#include "content/page_resources.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"
#include "reader/string_list.h"

namespace lumenquill {

// Answers what the text extraction asks of each page: its fonts and the form XObjects it reaches
// (from the nearest ancestor's /Resources when the page has none), the objects that make up its
// content, and the decoded bytes of a stream object. Reads tokens straight from the
// reader's file stream and puts its position back after each operation.
class PageResourceReader final {
 public:
  // See CheckDecoderReader.
  explicit PageResourceReader(TPDFAnalyst* analyst);

  // The resources of page object page_object.
  PageResources ReadPageResources(int32_t page_object);
  // Appends the object numbers of the page's content streams, in order.
  void GetContentObjects(int32_t page_object, ObjectNumberList& list);
  // Decodes stream object n into dest at its position, appending the stream's filter names
  // to filters; returns the number of bytes written.
  int64_t DecodeStreamObject(int32_t n, StringList& filters, MemoryStream& dest);

 private:
  // The two categories of a resource dictionary that the extraction follows.
  struct Categories {
    ResourceList fonts;
    ResourceList xobjects;
  };

  // The next token of an object, passing over literal strings and comments.
  void NextToken(std::string& token);
  void ReadResourceDictionary(Categories& target);
  // Calls read just inside the dictionary that is the value at the position, references
  // followed; nothing when the value is no dictionary.
  void EnterDictionaryValue(const std::function<void()>& read);
  // Reads the entries of the category whose key was just read; the position is put back.
  void ReadCategoryEntries(ResourceList& list);
  void ReadCategoryDictionaryBody(ResourceList& list);
  // Reads the /Resources of the node at the position into target; notes the node's /Parent
  // when parent is given. False when the node has no /Resources.
  bool ReadNodeResources(Categories& target, int32_t* parent);
  // Adds to page every form XObject that the XObjects reach.
  void AddForms(const ResourceList& xobjects, PageResources& page);
  // The resources of XObject n when it is a form, read once; null for any other XObject.
  const Categories* FormResources(int32_t n);
  std::string ReadXObjectSubtype(int32_t n);

  TPDFAnalyst& analyst_;
  ByteStream& stream_;
  // The forms' resources read so far, by object number; none for an XObject that is no form.
  // A form's resources are its own whatever page lists it, and the same forms recur on many
  // pages.
  std::unordered_map<int32_t, std::optional<Categories>> forms_read_;
};

}  // namespace lumenquill
