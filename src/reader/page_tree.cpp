// The page tree: which objects are pages, and in what order.

#include <string>
#include <vector>

#include "reader/object_token_scanner.h"
#include "reader/pdf_analyst.h"
#include "reader/reading_primitives.h"

namespace lumenquill {

void TPDFAnalyst::CheckPageNode(int32_t n) {
  if (!SeekToObject(n)) throw ObjectIdError();
  std::string token;
  ReadToken(*stream_, token);
  if (token != std::to_string(n)) throw ObjectIdError();
}

// A node is a page when the token "/Page" occurs in it (the /Type value is never compared as
// such, and "/Pages" differs from "/Page"); its children are its /Kids read before that token.
//
// The walk is pre-order and depth first, in /Kids order. It keeps its path on a heap stack
// rather than the call stack, so any depth is safe, and it stops the two ways a damaged tree
// could make it run without end: a node already on the current path (a cycle) is skipped, and
// the children of a node are walked at most once per walk (a subtree shared many times over
// would otherwise be walked an exponential number of times).
void TPDFAnalyst::WalkPageTree(int32_t root, const std::function<bool(int32_t)>& on_page) {
  struct Frame {
    int32_t node;
    ObjectNumberList kids;
    size_t next = 0;
  };
  std::vector<Frame> path;
  std::vector<bool> on_path(offsets_.size(), false);
  std::vector<bool> kids_walked(offsets_.size(), false);

  // Reads node n; false when the walk is to stop.
  const auto enter = [&](int32_t n) {
    if (!IsValidObjectNumber(n)) throw ObjectIdError();
    if (on_path[static_cast<size_t>(n)]) return true;
    CheckPageNode(n);
    ObjectNumberList kids;
    bool is_page = false;
    ObjectTokenScanner scanner(*this, *stream_);
    std::string token;
    while (scanner.Next(token)) {
      if (token == "/Kids") {
        ReadRefList(*stream_, kids);
      } else if (token == "/Page") {
        is_page = true;
        break;
      }
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

void TPDFAnalyst::GetPageObjects(ObjectNumberList& list) {
  if (!stream_) throw Error("ストリームが不正です。");
  if (first_pages_id_ == -1) throw Error("FirstPagesが存在しません。");
  if (page_objects_read_) {
    list.insert(list.end(), page_objects_.begin(), page_objects_.end());
    return;
  }
  WalkPageTree(first_pages_id_, [&list](int32_t page) {
    list.push_back(page);
    return true;
  });
}

}  // namespace lumenquill
