#include "content/decodable_document.h"

#include "platform/error.h"

namespace lumenquill {

Document& CheckDecodable(Document& document) {
  if (document.Encrypted()) throw Error("対応できない形式です。");
  return document;
}

}  // namespace lumenquill
