#pragma once

#include <memory>

#include <QMessageBox>

namespace lumenquill {

// A message box that never wraps a line of its text: each line (a path, then a message) is
// shown whole, and the box is as wide as its longest line needs.
std::unique_ptr<QMessageBox> MakeMessageBox(QMessageBox::Icon icon, const QString& caption,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons, QWidget* owner);

}  // namespace lumenquill
