#pragma once

#include <QObject>

namespace lumenquill {

// Installed on the application: latches every press of Escape, whichever window has the
// focus, for the extraction's key test.
class EscapeKeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lumenquill
