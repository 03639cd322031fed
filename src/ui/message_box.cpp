#include "ui/message_box.h"

namespace lumenquill {

std::unique_ptr<QMessageBox> MakeMessageBox(QMessageBox::Icon icon, const QString& caption,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons, QWidget* owner) {
  auto box = std::make_unique<QMessageBox>(icon, caption, QString(), buttons, owner);
  // Qt wraps a long text at about half the screen's width, and Japanese wraps between any two
  // characters; preformatted rich text keeps the lines as they are. The messages break their
  // lines with CR LF, of which rich text wants the LF alone.
  box->setTextFormat(Qt::RichText);
  box->setText("<p style=\"white-space:pre\">" +
               QString(text).replace("\r\n", "\n").toHtmlEscaped() + "</p>");
  return box;
}

}  // namespace lumenquill
