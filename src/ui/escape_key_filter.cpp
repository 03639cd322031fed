#include "ui/escape_key_filter.h"

#include <QKeyEvent>

#include "platform/escape_key.h"

namespace lumenquill {

bool EscapeKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    LatchEscapeKeyPress();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumenquill
