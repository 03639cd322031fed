#include "ui/frm_prog.h"

#include <QApplication>
#include <QCloseEvent>

#include "platform/escape_key.h"
#include "ui/form_font.h"

namespace lumenquill {

TfrmProg::TfrmProg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("frmProg");
  setWindowTitle("PDFファイルを解析中・・・");
  setFont(FormFont());
  setFixedSize(328, 76);

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setGeometry(16, 12, 297, 25);
  ProgressBar1->setRange(0, 100);
  ProgressBar1->setValue(0);
  ProgressBar1->setTextVisible(false);

  Button1 = new QPushButton("中止(&N)", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(126, 46, 75, 23);
  Button1->setAutoDefault(false);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->move(267, 56);
}

void TfrmProg::SetCaption(const std::string& caption) {
  setWindowTitle(QString::fromStdString(caption));
}

void TfrmProg::Present() {
  TakeEscapeKeyPress();  // only presses during this extraction count
  move(50, 50);
  show();
  raise();
  activateWindow();
}

void TfrmProg::ShowProgress(int32_t min, int32_t max, int32_t position, bool done) {
  ProcessPendingInput();
  ProgressBar1->setRange(min, max);
  ProgressBar1->setValue(position);
  Label1->setText(QString("%1/%2").arg(position).arg(max));
  Label1->adjustSize();
  if (done) {
    hide();
    ProgressBar1->setValue(0);
  }
}

void TfrmProg::ProcessPendingInput() { QApplication::processEvents(); }

void TfrmProg::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace lumenquill
