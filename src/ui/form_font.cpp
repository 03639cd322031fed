#include "ui/form_font.h"

#include <QApplication>
#include <QStringList>

namespace lumenquill {

QFont FormFont() {
  QFont font;
  font.setFamilies(QStringList{"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic", "IPAGothic",
                               "Noto Sans CJK JP", "VL PGothic", "sans-serif"});
  font.setPixelSize(12);
  return font;
}

void UseFormFamilyThroughout() {
  QFont font = QApplication::font();
  font.setFamilies(FormFont().families());
  QApplication::setFont(font);
}

}  // namespace lumenquill
