#include "content/pdf_stream_decoder.h"

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
constexpr int32_t kMaxFormsPerPage = 10'000;

bool IsCategoryKey(const std::string& token) {
  return token == "/Font" || token == "/XObject" || token == "/ColorSpace" ||
         token == "/ExtGState" || token == "/Pattern" || token == "/Properties" ||
         token == "/Shading";
}

TPDFResourceList& CategoryList(TPageResource& target, const std::string& key) {
  if (key == "/Font") return target.Fonts;
  if (key == "/XObject") return target.XObjects;
  if (key == "/ColorSpace") return target.ColorSpaces;
  if (key == "/ExtGState") return target.ExtGStates;
  if (key == "/Pattern") return target.Patterns;
  if (key == "/Properties") return target.Properties;
  return target.Shadings;
}

}  // namespace

TPDFStreamDecoder::TPDFStreamDecoder(TPDFAnalyst* analyst)
    : analyst_(CheckDecoderReader(analyst)), stream_(*analyst_.Stream()) {}

void TPDFStreamDecoder::NextToken(std::string& token) {
  ReadTokenPastStringsAndComments(stream_, token);
}

// The position is just inside "<<". Each value is passed over whole after its category's
// entries are read, so that nested dictionaries, arrays and strings never end the dictionary
// before its own ">>".
void TPDFStreamDecoder::ReadResourceDictionary(TPageResource& target) {
  std::string key;
  for (;;) {
    NextToken(key);
    if (key == ">" || key == "endobj") return;
    if (key[0] != '/') continue;
    if (IsCategoryKey(key)) ReadCategoryEntries(CategoryList(target, key));
    SkipValue(stream_);
  }
}

void TPDFStreamDecoder::EnterDictionaryValue(const std::function<void()>& read) {
  analyst_.VisitValue(stream_, [this, &read](ByteStream&) {
    std::string opening;
    NextToken(opening);
    if (opening != "<") return;
    stream_.Move(1);
    read();
  });
}

void TPDFStreamDecoder::ReadCategoryEntries(TPDFResourceList& list) {
  PositionGuard guard(stream_);
  EnterDictionaryValue([this, &list] { ReadCategoryDictionaryBody(list); });
}

// Key by key: a reference is kept with its object number, a dictionary written in place with
// its offset in the file, and any other value is passed over whole.
void TPDFStreamDecoder::ReadCategoryDictionaryBody(TPDFResourceList& list) {
  std::string key;
  for (;;) {
    NextToken(key);
    if (key == ">" || key == "endobj") return;
    if (key[0] != '/') continue;
    const int32_t object = analyst_.ReadReference(stream_);
    if (object != -1) {
      if (analyst_.IsValidObjectNumber(object)) list.Add(key, object);
      continue;
    }
    SkipWhiteSpace(stream_);
    if (stream_.Peek(2) == "<<") list.Add(key, -1).DictionaryOffset = stream_.Position();
    SkipValue(stream_);
  }
}

bool TPDFStreamDecoder::ReadNodeResources(TPageResource& target, int32_t* parent) {
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
TPageResource& TPDFStreamDecoder::ReadPageResource(int32_t page_object) {
  TPageResource& page = page_resources_.Add();
  PositionGuard guard(stream_);
  std::set<int32_t> nodes_read;
  int32_t node = page_object;
  while (node != -1 && nodes_read.insert(node).second) {
    if (!analyst_.SeekToObject(node)) {
      if (node == page_object) throw ReadError();
      break;  // an ancestor outside the file has nothing to give
    }
    SkipObjectHeader(stream_);
    int32_t parent = -1;
    if (ReadNodeResources(page, &parent)) break;
    node = parent;
  }
  AddForms(page);
  return page;
}

// Collects every form XObject the page reaches, depth first, each form before the forms inside
// it; a form reached along two paths is listed twice. A form already on the current path (one
// that reaches itself through its own resources) is not entered again, and the walk keeps its
// path on the heap, so neither loops nor depth can make it run without end.
void TPDFStreamDecoder::AddForms(TPageResource& page) {
  struct Level {
    const TPDFResourceList* xobjects;
    int32_t next;
    int32_t form;  // the form whose XObjects these are; -1 for the page
  };
  std::vector<Level> path{{&page.XObjects, 0, -1}};
  std::set<int32_t> forms_on_path;
  while (!path.empty()) {
    Level& level = path.back();
    if (level.next == level.xobjects->Count()) {
      forms_on_path.erase(level.form);
      path.pop_back();
      continue;
    }
    const int32_t index = level.next++;
    const int32_t form = level.xobjects->GetObjectNumber(index);
    if (forms_on_path.contains(form)) continue;
    const TPageResource* resources = FormResources(form);
    if (resources == nullptr) continue;
    if (page.ChildCount() == kMaxFormsPerPage) return;

    TPageChildResourceList& child = page.AddChild(level.xobjects->GetName(index), form);
    child.Resources.AppendCategories(*resources);
    forms_on_path.insert(form);
    path.push_back({&child.Resources.XObjects, 0, form});  // level is not used after this
  }
}

const TPageResource* TPDFStreamDecoder::FormResources(int32_t n) {
  auto found = forms_read_.find(n);
  if (found == forms_read_.end()) {
    std::unique_ptr<TPageResource> resources;
    if (ReadXObjectSubtype(n) == "/Form") {
      resources = std::make_unique<TPageResource>();
      analyst_.SeekToExistingObject(n);
      SkipObjectHeader(stream_);
      ReadNodeResources(*resources, nullptr);
    }
    found = forms_read_.emplace(n, std::move(resources)).first;
  }
  return found->second.get();
}

std::string TPDFStreamDecoder::ReadXObjectSubtype(int32_t n) {
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

void TPDFStreamDecoder::GetContentObjects(int32_t page_object, ObjectNumberList& list) {
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

int64_t TPDFStreamDecoder::DecodeStreamObject(int32_t n, StringList& filters, MemoryStream& dest) {
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
