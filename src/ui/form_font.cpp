#include "ui/form_font.h"

#include <QStringList>

namespace lumenquill {

QFont FormFont() {
  QFont font;
  font.setFamilies(QStringList{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAGothic",
                               "Noto Sans CJK JP", "VL PGothic", "sans-serif"});
  font.setPixelSize(12);
  return font;
}

}  // namespace lumenquill
