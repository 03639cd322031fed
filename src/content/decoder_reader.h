#pragma once

#include "reader/pdf_analyst.h"

namespace lumenquill {

// The reader a decoder is built on. Raises std::invalid_argument("nilは代入できません。") for
// none, a fault of the caller; Error("対応できない形式です。") for an encrypted document, one
// whose loading failed, or a reader holding no document.
TPDFAnalyst& CheckDecoderReader(TPDFAnalyst* reader);

}  // namespace lumenquill
