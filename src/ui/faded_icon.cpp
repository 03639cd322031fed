#include "ui/faded_icon.h"

#include <QImage>
#include <QPixmap>

namespace lumenquill {
namespace {

// How much of a pixel's darkness stays in the faded picture.
constexpr int kKeptDarknessPercent = 40;

QPixmap Faded(const QPixmap& picture) {
  QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = 255 - (255 - qGray(line[x])) * kKeptDarknessPercent / 100;
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]));
    }
  }
  return QPixmap::fromImage(image);
}

}  // namespace

QIcon WithFadedDisabledLook(const QIcon& icon, QSize size) {
  const QPixmap normal = icon.pixmap(size);
  QIcon result;
  result.addPixmap(normal, QIcon::Normal);
  result.addPixmap(Faded(normal), QIcon::Disabled);
  return result;
}

}  // namespace lumenquill
