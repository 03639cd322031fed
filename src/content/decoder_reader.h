#pragma once

#include "reader/pdf_analyst.h"

namespace lumenquill {

// The reader a decoder is built on. Raises Error("nilは代入できません。") for none, and
// Error("対応できない形式です。") for an encrypted document, one whose loading failed, or a reader
// holding no document.
TPDFAnalyst& CheckDecoderReader(TPDFAnalyst* reader);

}  // namespace lumenquill
