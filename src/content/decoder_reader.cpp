#include "content/decoder_reader.h"

#include <stdexcept>

namespace lumenquill {

TPDFAnalyst& CheckDecoderReader(TPDFAnalyst* reader) {
  if (reader == nullptr) throw std::invalid_argument("nilは代入できません。");
  if (reader->Encrypted() || reader->ErrorRaised() || reader->Stream() == nullptr)
    throw Error("対応できない形式です。");
  return *reader;
}

}  // namespace lumenquill
