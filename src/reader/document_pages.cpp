// The page tree: which objects are pages and in what order, the page count, the first page and
// its media box.

#include <cstdio>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "reader/document.h"
#include "reader/object_parser.h"

namespace lumenquill {
namespace {

// The values of /Length, /Filter and /DecodeParms say how to read a stream: the page tree's
// keys are never looked for in them.
bool IsStreamEntry(std::string_view key) {
  return key == "/Length" || key == "/Filter" || key == "/DecodeParms";
}

// Calls on_entry for each entry of every dictionary in value, nested ones included, in the
// order they are written, until it returns false; on_name likewise for each name that is a
// value. Returns false when a call stopped the walk.
template <typename OnEntry, typename OnName>
bool ForEachEntry(const PdfValue& value, const OnEntry& on_entry, const OnName& on_name,
                  int32_t depth = 0) {
  if (depth > ObjectParser::kMaxDepth) return true;
  if (const std::optional<std::string_view> name = value.Name()) return on_name(*name);
  if (const PdfArray* array = value.Array()) {
    for (const PdfValue& element : *array) {
      if (!ForEachEntry(element, on_entry, on_name, depth + 1)) return false;
    }
    return true;
  }
  const PdfDictionary* dictionary = value.DictionaryOrStreamDictionary();
  if (!dictionary) return true;
  for (const auto& [key, entry] : *dictionary) {
    if (!on_entry(key, entry)) return false;
    if (IsStreamEntry(key)) continue;
    if (!ForEachEntry(entry, on_entry, on_name, depth + 1)) return false;
  }
  return true;
}

// The words of an array as a reader of its text meets them: each element's first word is an
// integer (its value) or something else; nested arrays end with a word of their own.
constexpr int64_t kOtherWord = std::numeric_limits<int64_t>::min();
constexpr int64_t kArrayEnd = kOtherWord + 1;

void AppendWords(const PdfValue& value, std::vector<int64_t>& words, int32_t depth) {
  if (const PdfReference* reference = value.Reference()) {
    words.insert(words.end(), {reference->number, reference->generation, kOtherWord});
  } else if (const std::optional<int32_t> integer = value.Integer()) {
    words.push_back(*integer);
  } else if (const PdfArray* array = value.Array()) {
    words.push_back(kOtherWord);
    if (depth < ObjectParser::kMaxDepth) {
      for (const PdfValue& element : *array) AppendWords(element, words, depth + 1);
    }
    words.push_back(kArrayEnd);
  } else if (const PdfDictionary* dictionary = value.DictionaryOrStreamDictionary()) {
    words.insert(words.end(), {kOtherWord, kOtherWord});
    if (depth < ObjectParser::kMaxDepth) {
      for (const auto& [key, entry] : *dictionary) {
        words.push_back(kOtherWord);
        AppendWords(entry, words, depth + 1);
      }
    }
    words.insert(words.end(), {kOtherWord, kOtherWord});
  } else {
    words.push_back(kOtherWord);
  }
}

}  // namespace

void Document::CheckObject(int32_t n) {
  const std::optional<XrefEntry> entry = xref_.Find(n);
  if (!entry) throw ObjectIdError();
  if (std::holds_alternative<InObjectStreamEntry>(*entry)) {
    if (!objects_->ObjectText(n)) throw ObjectIdError();
    return;
  }
  const auto* in_file = std::get_if<InFileEntry>(&*entry);
  if (!in_file || in_file->offset < 0 || in_file->offset >= static_cast<int64_t>(Bytes().size())) {
    throw ObjectIdError();
  }
  ObjectParser parser(Bytes(), in_file->offset);
  if (parser.NextToken() != std::to_string(n)) throw ObjectIdError();
}

namespace {

// The object numbers an array of references lists, read in groups of three words ("n g R"),
// each group's first word kept when it names an object of the table. Returns whether one whole
// group was read.
bool AppendReferencedNumbers(const PdfArray& array, const XrefTable& xref, ObjectNumberList& list) {
  std::vector<int64_t> words;
  for (const PdfValue& element : array) AppendWords(element, words, 0);
  words.push_back(kArrayEnd);
  bool complete_group = false;
  size_t at = 0;
  for (;;) {
    const int64_t first = words[at++];
    if (first == kArrayEnd) return complete_group;
    if (first >= 0 && xref.Contains(static_cast<int32_t>(first))) {
      list.push_back(static_cast<int32_t>(first));
    }
    for (int rest = 0; rest < 2; ++rest) {
      if (words[at++] == kArrayEnd) return complete_group;
    }
    complete_group = true;
  }
}

// The kids a /Kids value names: an array of references, or a reference to an array object;
// a referenced object that holds no whole group of references is itself a kid.
void AppendKids(ObjectResolver& objects, const XrefTable& xref, const PdfValue& value,
                       ObjectNumberList& kids) {
  if (const PdfArray* array = value.Array()) {
    AppendReferencedNumbers(*array, xref, kids);
    return;
  }
  const PdfReference* reference = value.Reference();
  if (!reference) return;
  const std::optional<int32_t> n = objects.FollowReferences(*reference);
  if (!n) return;
  const PdfArray* array = objects.Object(*n)->Array();
  if (!array || !AppendReferencedNumbers(*array, xref, kids)) kids.push_back(*n);
}

// The integer that /Count gives: a direct integer, or the positive integer the referenced
// object holds; 0 for anything else.
int32_t CountValue(ObjectResolver& objects, const PdfValue& value) {
  if (const std::optional<int32_t> integer = value.Integer()) return *integer;
  if (!value.Reference()) return 0;
  const std::optional<int32_t> held = objects.Resolve(value).Integer();
  return held && *held > 0 ? *held : 0;
}

}  // namespace

void Document::ReadPageCount() {
  CheckObject(pages_root_number_);
  const std::optional<PdfValue> root = objects_->ObjectOnce(pages_root_number_);
  if (!root) return;
  ForEachEntry(
      *root,
      [this](std::string_view key, const PdfValue& value) {
        if (key == "/Count") page_count_ = CountValue(*objects_, value);
        return true;
      },
      [](std::string_view) { return true; });
}

// A /Count that is missing or wrong would make the default page range miss pages or ask for
// pages that are not there, so the pages found count. A tree that fails to be walked after its
// first page keeps the /Count read: its pages fail when they are listed for the extraction.
void Document::ReadPages() {
  ObjectNumberList pages;
  try {
    WalkPageTree(pages_root_number_, [this, &pages](int32_t page) {
      if (!first_page_number_) first_page_number_ = page;
      pages.push_back(page);
      return true;
    });
    page_count_ = static_cast<int32_t>(pages.size());
    page_objects_ = std::move(pages);
  } catch (const Error&) {
    if (!first_page_number_) throw;
  }
  if (first_page_number_) FindMediaBox(*first_page_number_);
}

ObjectNumberList Document::PageObjects() {
  if (page_objects_) return *page_objects_;
  ObjectNumberList pages;
  WalkPageTree(pages_root_number_, [&pages](int32_t page) {
    pages.push_back(page);
    return true;
  });
  return pages;
}

// A node is a page when the name /Page occurs in it, as a key or as a value (the value of
// /Type, in a well-formed tree; /Pages differs from /Page); its children are its /Kids read
// before that name.
//
// The walk is pre-order and depth first, in /Kids order. It keeps its path on a heap stack
// rather than the call stack, so any depth is safe, and it stops the two ways a damaged tree
// could make it run without end: a node already on the current path (a cycle) is skipped, and
// the children of a node are walked at most once per walk (a subtree shared many times over
// would otherwise be walked an exponential number of times).
void Document::WalkPageTree(int32_t root, const std::function<bool(int32_t)>& on_page) {
  struct Frame {
    int32_t node;
    ObjectNumberList kids;
    size_t next = 0;
  };
  std::vector<Frame> path;
  std::vector<bool> on_path(static_cast<size_t>(xref_.Size()), false);
  std::vector<bool> kids_walked(static_cast<size_t>(xref_.Size()), false);

  // Reads node n; false when the walk is to stop.
  const auto enter = [&](int32_t n) {
    if (!xref_.Contains(n)) throw ObjectIdError();
    if (on_path[static_cast<size_t>(n)]) return true;
    CheckObject(n);
    ObjectNumberList kids;
    bool is_page = false;
    if (const std::optional<PdfValue> node = objects_->ObjectOnce(n)) {
      ForEachEntry(
          *node,
          [&](std::string_view key, const PdfValue& value) {
            if (key == "/Page") {
              is_page = true;
              return false;
            }
            if (key == "/Kids") AppendKids(*objects_, xref_, value, kids);
            return true;
          },
          [&is_page](std::string_view name) {
            is_page = name == "/Page";
            return !is_page;
          });
    }
    if (is_page && !on_page(n)) return false;
    if (kids.empty() || kids_walked[static_cast<size_t>(n)]) return true;
    kids_walked[static_cast<size_t>(n)] = true;
    on_path[static_cast<size_t>(n)] = true;
    path.push_back({n, std::move(kids)});
    return true;
  };

  if (!enter(root)) return;
  while (!path.empty()) {
    Frame& frame = path.back();
    if (frame.next == frame.kids.size()) {
      on_path[static_cast<size_t>(frame.node)] = false;
      path.pop_back();
      continue;
    }
    const int32_t kid = frame.kids[frame.next++];
    if (!enter(kid)) return;  // may grow the path: frame is not used after this
  }
}

namespace {

// The text of a rectangle's numbers, for ParseRect: integers as written, reals with all their
// digits; a reference counts as its two numbers, other elements as nothing.
std::string RectangleText(const PdfArray& array) {
  std::string text;
  for (const PdfValue& element : array) {
    if (const std::optional<int32_t> integer = element.Integer()) {
      text += std::to_string(*integer);
    } else if (const double* real = element.As<double>()) {
      char digits[32];
      std::snprintf(digits, sizeof digits, "%.17g", *real);
      text += digits;
    } else if (const PdfReference* reference = element.Reference()) {
      text += std::to_string(reference->number) + ' ' + std::to_string(reference->generation);
    }
    text += ' ';
  }
  return text;
}

}  // namespace

// The /MediaBox of node n or of its nearest ancestor that has one. A /Parent chain that comes
// back to a node already looked at ends the search with nothing found.
void Document::FindMediaBox(int32_t n) {
  std::set<int32_t> nodes_seen;
  while (xref_.Contains(n) && nodes_seen.insert(n).second) {
    const std::optional<PdfValue> node = objects_->ObjectOnce(n);
    if (!node) return;
    int32_t parent = -1;
    bool found = false;
    ForEachEntry(
        *node,
        [&](std::string_view key, const PdfValue& value) {
          if (key == "/Parent") {
            const PdfReference* reference = value.Reference();
            parent = reference ? reference->number : value.Integer().value_or(-1);
          } else if (key == "/MediaBox") {
            const PdfValue box = objects_->Resolve(value);
            const PdfArray* array = box.Array();
            if (array) ParseRect(RectangleText(*array), media_box_);
            found = true;
            return false;
          }
          return true;
        },
        [](std::string_view) { return true; });
    if (found) return;
    n = parent;
  }
}

}  // namespace lumenquill
