#include "content/page_resource_reader.h"

#include <cmath>
#include <set>
#include <vector>

#include "content/decodable_document.h"
#include "reader/reader_errors.h"

namespace lumenquill {
namespace {

// The most form XObjects one page may collect. The walk lists a form once for every path that
// reaches it, so forms that each name a shared form twice over would otherwise multiply
// without end; no real page comes near this.
constexpr size_t kMaxFormsPerPage = 10'000;

// Whether an XObject's dictionary makes it a form: its /Subtype says so, or, without one, it has
// the entries of a form and none of an image.
bool IsForm(const PdfDictionary& xobject, ObjectResolver& objects) {
  if (xobject.Contains("/Subtype")) return objects.Get(xobject, "/Subtype").Name() == "/Form";
  for (const char* image_key : {"/Width", "/Height", "/BitsPerComponent"}) {
    if (xobject.Contains(image_key)) return false;
  }
  for (const char* form_key : {"/BBox", "/FormType", "/Matrix", "/Resources"}) {
    if (xobject.Contains(form_key)) return true;
  }
  return false;
}

// Six finite numbers into matrix; anything else leaves it as it is.
void ReadMatrix(const PdfValue& value, std::array<double, 6>& matrix) {
  const PdfArray* array = value.Array();
  if (array == nullptr || array->size() != matrix.size()) return;
  std::array<double, 6> read{};
  for (size_t k = 0; k < read.size(); ++k) {
    const std::optional<double> number = (*array)[k].Number();
    if (!number || !std::isfinite(*number)) return;
    read[k] = *number;
  }
  matrix = read;
}

}  // namespace

PageResourceReader::PageResourceReader(Document& document)
    : xref_(CheckDecodable(document).Xref()), objects_(document.Objects()) {}

// A page is read once for both its resources and its content, and not kept after the next page
// is read: a document's pages would only fill the resolver's cache.
const PdfDictionary& PageResourceReader::PageDictionary(int32_t page_object) {
  if (last_page_number_ == page_object) return last_page_;
  const std::optional<PdfValue> page = objects_.ObjectOnce(page_object);
  if (!page) throw ReadError();
  const PdfDictionary* dictionary = page->DictionaryOrStreamDictionary();
  last_page_ = dictionary != nullptr ? *dictionary : PdfDictionary();
  last_page_number_ = page_object;
  return last_page_;
}

// Each category's entries are read once per key that names it: a key written twice is read
// twice.
bool PageResourceReader::ReadNodeResources(const PdfDictionary& node, Categories& target) {
  if (!node.Contains("/Resources")) return false;
  const PdfValue resources = objects_.Get(node, "/Resources");
  if (const PdfDictionary* dictionary = resources.Dictionary()) {
    for (const auto& [key, value] : *dictionary) {
      if (key == "/Font") {
        ReadCategory(value, target.fonts);
      } else if (key == "/XObject") {
        ReadCategory(value, target.xobjects);
      }
    }
  }
  return true;
}

// A reference is kept with its object number, a direct dictionary as it is, and any other
// value is passed over.
void PageResourceReader::ReadCategory(const PdfValue& value, ResourceList& list) {
  const PdfValue category = objects_.Resolve(value);
  const PdfDictionary* entries = category.Dictionary();
  if (entries == nullptr) return;
  for (const auto& [key, entry] : *entries) {
    if (const PdfReference* reference = entry.Reference()) {
      if (xref_.Contains(reference->number)) list.push_back({key, reference->number, {}});
    } else if (const PdfDictionary* dictionary = entry.Dictionary()) {
      list.push_back({key, -1, *dictionary});
    }
  }
}

// A page without /Resources takes all of them from its nearest ancestor that has some. A
// /Parent chain that comes back to a node already read ends the search with nothing found.
PageResources PageResourceReader::ReadPageResources(int32_t page_object) {
  Categories own;
  std::set<int32_t> nodes_read{page_object};
  const PdfDictionary* node = &PageDictionary(page_object);
  while (!ReadNodeResources(*node, own)) {
    const PdfValue* parent = node->Find("/Parent");
    const PdfReference* reference = parent != nullptr ? parent->Reference() : nullptr;
    if (reference == nullptr || !nodes_read.insert(reference->number).second) break;
    const PdfValue* ancestor = objects_.Object(reference->number);
    node = ancestor != nullptr ? ancestor->DictionaryOrStreamDictionary() : nullptr;
    if (node == nullptr) break;  // an ancestor that cannot be read has nothing to give
  }
  PageResources page{std::move(own.fonts), {}, own.xobjects};
  AddForms(own.xobjects, page);
  return page;
}

// Collects every form XObject the page reaches, depth first, each form before the forms inside
// it; a form reached along two paths is listed twice. A form already on the current path (one
// that reaches itself through its own resources) is not entered again, and the walk keeps its
// path on the heap, so neither loops nor depth can make it run without end.
void PageResourceReader::AddForms(const ResourceList& xobjects, PageResources& page) {
  struct Level {
    const ResourceList* xobjects;  // the page's, or a form's as read once
    size_t next;
    int32_t form;  // the form whose XObjects these are; -1 for the page
  };
  std::vector<Level> path{{&xobjects, 0, -1}};
  std::set<int32_t> forms_on_path;
  while (!path.empty()) {
    Level& level = path.back();
    if (level.next == level.xobjects->size()) {
      forms_on_path.erase(level.form);
      path.pop_back();
      continue;
    }
    const Resource& xobject = (*level.xobjects)[level.next++];
    const int32_t form = xobject.object_number;
    if (forms_on_path.contains(form)) continue;
    const Categories* resources = FormResources(form);
    if (resources == nullptr) continue;
    if (page.forms.size() == kMaxFormsPerPage) return;

    page.forms.push_back({xobject.name, form, resources->fonts});
    forms_on_path.insert(form);
    path.push_back({&resources->xobjects, 0, form});  // level is not used after this
  }
}

// An XObject given as a direct dictionary (n is -1) is no form.
const PageResourceReader::Form* PageResourceReader::ReadForm(int32_t n) {
  auto found = forms_read_.find(n);
  if (found == forms_read_.end()) {
    std::optional<Form> form;
    const PdfValue* object = n >= 0 ? objects_.Object(n) : nullptr;
    const PdfDictionary* xobject =
        object != nullptr ? object->DictionaryOrStreamDictionary() : nullptr;
    if (xobject != nullptr && IsForm(*xobject, objects_)) {
      form.emplace(Form{{}, false, {1, 0, 0, 1, 0, 0}});
      form->has_resources = ReadNodeResources(*xobject, form->resources);
      ReadMatrix(objects_.Get(*xobject, "/Matrix"), form->matrix);
    }
    found = forms_read_.emplace(n, std::move(form)).first;
  }
  return found->second ? &*found->second : nullptr;
}

const PageResourceReader::Categories* PageResourceReader::FormResources(int32_t n) {
  const Form* form = ReadForm(n);
  return form != nullptr ? &form->resources : nullptr;
}

std::optional<PageResourceReader::FormDetails> PageResourceReader::FormOf(int32_t n) {
  const Form* form = ReadForm(n);
  if (form == nullptr) return std::nullopt;
  return FormDetails{&form->resources.fonts, &form->resources.xobjects, form->has_resources,
                     form->matrix};
}

// /Contents is a stream, an array of streams, or a reference to such an array. A reference
// that leads to no value gives nothing.
ObjectNumberList PageResourceReader::ContentObjects(int32_t page_object) {
  const PdfDictionary& page = PageDictionary(page_object);
  ObjectNumberList list;
  const PdfValue* contents = page.Find("/Contents");
  if (contents == nullptr) return list;
  std::optional<PdfValue> held;
  const PdfArray* array = contents->Array();
  if (const PdfReference* reference = contents->Reference()) {
    // The object is read once and not kept, as a content stream usually is; a chain of
    // references is followed.
    int32_t holder = reference->number;
    held = objects_.ObjectOnce(holder);
    if (held && held->Reference()) {
      const std::optional<int32_t> end = objects_.FollowReferences(*held->Reference());
      if (!end) return list;
      holder = *end;
      held = *objects_.Object(holder);
    }
    if (!held) return list;
    array = held->Array();
    if (array == nullptr) {
      list.push_back(holder);
      last_contents_number_ = holder;
      last_contents_ = std::move(held);
      return list;
    }
  }
  if (array == nullptr) return list;
  for (const PdfValue& element : *array) {
    const PdfReference* stream = element.Reference();
    if (stream != nullptr && xref_.Contains(stream->number)) list.push_back(stream->number);
  }
  return list;
}

void PageResourceReader::DecodeStreamObject(int32_t n, MemoryStream& dest) {
  // Not kept in the resolver's cache: the caller keeps the decoded bytes.
  const std::optional<PdfValue> object =
      n == last_contents_number_ ? last_contents_ : objects_.ObjectOnce(n);
  if (const PdfStream* stream = object ? object->Stream() : nullptr) {
    objects_.DecodeStream(*stream, dest);
  }
}

}  // namespace lumenquill
