#pragma once

#include <QFont>

namespace lumenquill {

// The font of every form: "ＭＳ Ｐゴシック" at 12 pixels, falling back to a Japanese sans-serif
// the system has.
QFont FormFont();

}  // namespace lumenquill
