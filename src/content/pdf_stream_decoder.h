#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>

#include "content/resource_lists.h"
#include "reader/memory_stream.h"
#include "reader/pdf_analyst.h"
#include "reader/string_list.h"

namespace lumenquill {

// Answers what the text extraction asks of each page: its named resources (inherited through
// /Parent when the page has none) with every form XObject it reaches, the objects that make up
// its content, and the decoded bytes of a stream object. Reads tokens straight from the
// reader's file stream and puts its position back after each operation.
class TPDFStreamDecoder final {
 public:
  // Raises "nilは代入できません。" or "対応できない形式です。" (see CheckDecoderReader).
  explicit TPDFStreamDecoder(TPDFAnalyst* analyst);

  // Reads the resources of page object page_object, appends them to PageResources and
  // returns them.
  TPageResource& ReadPageResource(int32_t page_object);
  // Appends the object numbers of the page's content streams, in order.
  void GetContentObjects(int32_t page_object, ObjectNumberList& list);
  // Decodes stream object n into dest at its position, appending the stream's filter names
  // to filters; returns the number of bytes written.
  int64_t DecodeStreamObject(int32_t n, StringList& filters, MemoryStream& dest);

  const TPageResourceList& PageResources() const { return page_resources_; }

 private:
  // The next token of an object, passing over literal strings and comments.
  void NextToken(std::string& token);
  void ReadResourceDictionary(TPageResource& target);
  // Calls read just inside the dictionary that is the value at the position, references
  // followed; nothing when the value is no dictionary.
  void EnterDictionaryValue(const std::function<void()>& read);
  // Reads the entries of the category whose key was just read; the position is put back.
  void ReadCategoryEntries(TPDFResourceList& list);
  void ReadCategoryDictionaryBody(TPDFResourceList& list);
  // Reads the /Resources of the node at the position into target; notes the node's /Parent
  // when parent is given. False when the node has no /Resources.
  bool ReadNodeResources(TPageResource& target, int32_t* parent);
  void AddForms(TPageResource& page);
  // The resources of XObject n when it is a form, read once; null for any other XObject.
  const TPageResource* FormResources(int32_t n);
  std::string ReadXObjectSubtype(int32_t n);

  TPDFAnalyst& analyst_;
  ByteStream& stream_;
  TPageResourceList page_resources_;
  // The forms' resources read so far, by object number; null for an XObject that is no form.
  // A form's resources are its own whatever page lists it, and the same forms recur on many
  // pages.
  std::unordered_map<int32_t, std::unique_ptr<TPageResource>> forms_read_;
};

}  // namespace lumenquill
