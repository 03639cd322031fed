#include "codes/code_helpers.h"

#include "reader/decimal_text.h"

namespace lumenquill {
bool IsHexDigit(uint8_t byte) { return HexDigitValue(static_cast<char>(byte)) >= 0; }

}  // namespace lumenquill
