#include "ui/unminimised_dialogs.h"

#include <QDialog>
#include <QEvent>

namespace lumenquill {

bool UnminimisedDialogs::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowStateChange) {
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog != nullptr && dialog->isModal() && dialog->isMinimized()) {
      dialog->setWindowState(dialog->windowState() & ~Qt::WindowMinimized);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace lumenquill
