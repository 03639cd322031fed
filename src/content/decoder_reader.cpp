#include "content/decoder_reader.h"

namespace lumenquill {

TPDFAnalyst& CheckDecoderReader(TPDFAnalyst* reader) {
  if (reader == nullptr) throw Error("nilは代入できません。");
  if (reader->Encrypted() || reader->ErrorRaised() || reader->Stream() == nullptr)
    throw Error("対応できない形式です。");
  return *reader;
}

}  // namespace lumenquill
