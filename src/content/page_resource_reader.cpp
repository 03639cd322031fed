#include "content/page_resource_reader.h"

#include <set>
#include <vector>

#include "content/decoder_reader.h"
#include "reader/decimal_text.h"
#include "reader/position_guard.h"
#include "reader/reading_primitives.h"
#include "reader/stream_dictionary.h"

namespace lumenquill {
namespace {

// The most form XObjects one page may collect. The walk lists a form once for every path that
// reaches it, so forms that each name a shared form twice over would otherwise multiply
// without end; no real page comes near this.
constexpr size_t kMaxFormsPerPage = 10'000;

}  // namespace

PageResourceReader::PageResourceReader(TPDFAnalyst* analyst)
    : analyst_(CheckDecoderReader(analyst)), stream_(*analyst_.Stream()) {}

void PageResourceReader::NextToken(std::string& token) {
  ReadTokenPastStringsAndComments(stream_, token);
}

// The position is just inside "<<". Each value is passed over whole after its category's
// entries are read, so that nested dictionaries, arrays and strings never end the dictionary
// before its own ">>".
void PageResourceReader::ReadResourceDictionary(Categories& target) {
  std::string key;
  for (;;) {
    NextToken(key);
    if (key == ">" || key == "endobj") return;
    if (key[0] != '/') continue;
    if (key == "/Font") {
      ReadCategoryEntries(target.fonts);
    } else if (key == "/XObject") {
      ReadCategoryEntries(target.xobjects);
    }
    SkipValue(stream_);
  }
}

void PageResourceReader::EnterDictionaryValue(const std::function<void()>& read) {
  analyst_.VisitValue(stream_, [this, &read](ByteStream&) {
    std::string opening;
    NextToken(opening);
    if (opening != "<") return;
    stream_.Move(1);
    read();
  });
}

void PageResourceReader::ReadCategoryEntries(ResourceList& list) {
  PositionGuard guard(stream_);
  EnterDictionaryValue([this, &list] { ReadCategoryDictionaryBody(list); });
}

// Key by key: a reference is kept with its object number, a direct dictionary with its offset
// in the file, and any other value is passed over whole.
void PageResourceReader::ReadCategoryDictionaryBody(ResourceList& list) {
  std::string key;
  for (;;) {
    NextToken(key);
    if (key == ">" || key == "endobj") return;
    if (key[0] != '/') continue;
    const int32_t object = analyst_.ReadReference(stream_);
    if (object != -1) {
      if (analyst_.IsValidObjectNumber(object)) list.push_back({key, object});
      continue;
    }
    SkipWhiteSpace(stream_);
    if (stream_.Peek(2) == "<<") list.push_back({key, -1, stream_.Position()});
    SkipValue(stream_);
  }
}

bool PageResourceReader::ReadNodeResources(Categories& target, int32_t* parent) {
  std::string token;
  for (;;) {
    NextToken(token);
    if (token == "endobj") return false;
    if (token == "/Parent" && parent != nullptr) {
      NextToken(token);
      if (analyst_.IsValidObjectRef(token)) *parent = ParseDecimal(token).value_or(-1);
    } else if (token == "/Resources") {
      EnterDictionaryValue([this, &target] { ReadResourceDictionary(target); });
      return true;
    }
  }
}

// A page without /Resources takes all of them from its nearest ancestor that has some. A
// /Parent chain that comes back to a node already read ends the search with nothing found.
PageResources PageResourceReader::ReadPageResources(int32_t page_object) {
  PositionGuard guard(stream_);
  Categories own;
  std::set<int32_t> nodes_read;
  int32_t node = page_object;
  while (node != -1 && nodes_read.insert(node).second) {
    if (!analyst_.SeekToObject(node)) {
      if (node == page_object) throw ReadError();
      break;  // an ancestor outside the file has nothing to give
    }
    SkipObjectHeader(stream_);
    int32_t parent = -1;
    if (ReadNodeResources(own, &parent)) break;
    node = parent;
  }
  PageResources page{std::move(own.fonts), {}};
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

const PageResourceReader::Categories* PageResourceReader::FormResources(int32_t n) {
  auto found = forms_read_.find(n);
  if (found == forms_read_.end()) {
    std::optional<Categories> resources;
    if (ReadXObjectSubtype(n) == "/Form") {
      resources.emplace();
      analyst_.SeekToExistingObject(n);
      SkipObjectHeader(stream_);
      ReadNodeResources(*resources, nullptr);
    }
    found = forms_read_.emplace(n, std::move(resources)).first;
  }
  return found->second ? &*found->second : nullptr;
}

std::string PageResourceReader::ReadXObjectSubtype(int32_t n) {
  if (!analyst_.SeekToObject(n)) return "";
  std::string token;
  for (;;) {
    NextToken(token);
    if (token == "/Subtype") {
      std::string subtype;
      analyst_.ReadResolvedToken(stream_, subtype);
      return subtype;
    }
    if (token == "/Width" || token == "/Height" || token == "/BitsPerComponent") return "/Image";
    if (token == "/BBox" || token == "/FormType" || token == "/Matrix" || token == "/Resources") {
      return "/Form";
    }
    if (token == "stream" || token == "endobj") return "";
  }
}

void PageResourceReader::GetContentObjects(int32_t page_object, ObjectNumberList& list) {
  PositionGuard guard(stream_);
  analyst_.SeekToExistingObject(page_object);
  std::string token;
  for (;;) {
    NextToken(token);
    if (token == "endobj") return;
    if (token == "/Contents") {
      analyst_.ReadRefList(stream_, list);
      return;
    }
  }
}

int64_t PageResourceReader::DecodeStreamObject(int32_t n, StringList& filters, MemoryStream& dest) {
  const int64_t before = dest.Position();
  PositionGuard guard(stream_);
  analyst_.SeekToExistingObject(n);
  SkipObjectHeader(stream_);
  StreamDictionary dictionary(analyst_);
  std::string token;
  for (;;) {
    NextToken(token);
    if (token == "endobj") break;
    if (!dictionary.ReadEntry(token, stream_) && token == "stream") {
      dictionary.DecodeData(stream_, dest);
    }
  }
  const StringList& names = dictionary.Filters().names;
  filters.insert(filters.end(), names.begin(), names.end());
  return dest.Position() - before;
}

}  // namespace lumenquill
