#include "ui/fixed_dialog.h"

#include <QScreen>
#include <algorithm>

namespace lumenquill {

void CentreOnScreen(QDialog& dialog) {
  const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget() : &dialog;
  const QRect area = owner->screen()->availableGeometry();
  const QPoint corner = area.center() - QPoint(dialog.width() / 2, dialog.height() / 2);
  dialog.move(std::max(corner.x(), area.left()), std::max(corner.y(), area.top()));
}

}  // namespace lumenquill
