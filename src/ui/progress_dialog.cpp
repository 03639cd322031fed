#include "ui/progress_dialog.h"

#include <QApplication>
#include <QCloseEvent>

#include "platform/escape_key.h"
#include "ui/fixed_dialog.h"
#include "ui/form_font.h"

namespace lumenquill {

ProgressDialog::ProgressDialog(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setWindowTitle("PDFファイルを解析中・・・");
  setFont(FormFont());
  setFixedSize(328, 76);

  bar = new QProgressBar(this);
  bar->setGeometry(16, 12, 297, 25);
  bar->setRange(0, 100);
  bar->setValue(0);
  bar->setTextVisible(false);

  cancel_button = new QPushButton("中止(&N)", this);
  cancel_button->setGeometry(126, 46, 75, 23);
  cancel_button->setAutoDefault(false);
  connect(cancel_button, &QPushButton::clicked, this, [this] { CancelClick(); });

  position_label = new QLabel(this);
  position_label->move(267, 56);
}

void ProgressDialog::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void ProgressDialog::Present() {
  TakeEscapeKeyPress();  // only presses during this extraction count
  move(50, 50);
  show();
  raise();
  activateWindow();
}

void ProgressDialog::ShowProgress(int32_t min, int32_t max, int32_t position, bool done) {
  ProcessPendingInput();
  bar->setRange(min, max);
  bar->setValue(position);
  position_label->setText(QString("%1/%2").arg(position).arg(max));
  position_label->adjustSize();
  if (done) {
    hide();
    bar->setValue(0);
  }
}

void ProgressDialog::ProcessPendingInput() { QApplication::processEvents(); }

void ProgressDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  CancelClick();
}

}  // namespace lumenquill
