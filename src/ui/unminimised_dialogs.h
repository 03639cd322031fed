#pragma once

#include <QObject>

namespace lumenquill {

// Installed on the application: a modal dialog that gets minimised is shown again at once.
// The dialogs ask the window manager for no minimise button, but some window managers offer
// one anyway and minimise the dialog's owner with it, leaving nothing on screen while the
// program waits for the dialog's answer.
class UnminimisedDialogs final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lumenquill
