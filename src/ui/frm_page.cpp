#include "ui/frm_page.h"

#include <QKeyEvent>
#include <variant>

#include "app/page_range_check.h"
#include "ui/fixed_dialog.h"
#include "ui/form_font.h"
#include "ui/message_box.h"

namespace lumenquill {
namespace {

QLineEdit* MakeEdit(QWidget* parent, const char* name, int left) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(name);
  edit->setGeometry(left, 43, 65, 20);
  return edit;
}

// Typed characters that an edit lets through: "." and the digits. Keys whose text is a control
// character (Tab, Backspace, Delete, Return) or empty (arrows, Home, End) are not typed
// characters; they keep moving the focus and editing.
bool IsAcceptedCharacter(const QString& text) {
  if (text.isEmpty()) return true;
  const QChar c = text.at(0);
  return !c.isPrint() || c == '.' || (c >= '0' && c <= '9');
}

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

TfrmPage::TfrmPage(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setObjectName("frmPage");
  setWindowTitle("ページを指定して抽出");
  setFont(FormFont());
  setFixedSize(329, 112);
  CentreOnScreen(*this);

  Label3 = new QLabel("抽出するページ範囲を入力してください", this);
  Label3->setObjectName("Label3");
  Label3->move(16, 16);
  Edit1 = MakeEdit(this, "Edit1", 16);
  Label2 = new QLabel("-", this);
  Label2->setObjectName("Label2");
  Label2->move(93, 47);
  Edit2 = MakeEdit(this, "Edit2", 112);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->move(200, 45);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(157, 76, 75, 23);
  Button2 = new QPushButton("キャンセル", this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(245, 76, 75, 23);

  setTabOrder(Button1, Edit1);
  setTabOrder(Edit1, Edit2);
  setTabOrder(Edit2, Button2);
  Button1->setDefault(true);
  for (QLineEdit* edit : {Edit1, Edit2}) edit->installEventFilter(this);
  ShowError = [this](const QString& message) {
    MakeMessageBox(QMessageBox::Critical, "Lumenquill", message, QMessageBox::Ok, this)->exec();
  };
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TfrmPage::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TfrmPage::FormShow() {
  const int32_t pages = Analyst ? Analyst->PageCount() : 0;
  Label1->setText(QString("有効ページ : 1-%1").arg(pages));
  Label1->adjustSize();
  Edit1->setText("1");
  Edit2->setText(QString::number(pages));
  Button1->setFocus();
}

// Typed characters are filtered (pasted text is not), and Enter released in an edit runs OK
// when it was also pressed there: the release of the Enter that closed the error box lands in
// the edit too, and must not run the checks again.
bool TfrmPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
      enter_pressed_in_ = watched;
      return true;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    if (!IsAcceptedCharacter(key->text())) return true;
  } else if (event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key) && !key->isAutoRepeat()) {
      const bool pressed_here = enter_pressed_in_ == watched;
      enter_pressed_in_ = nullptr;
      if (pressed_here) Button1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmPage::Button1Click() {
  const int32_t pages = Analyst ? Analyst->PageCount() : 0;
  const auto checked =
      CheckPageRange(Edit1->text().toStdString(), Edit2->text().toStdString(), pages);
  if (const auto* message = std::get_if<std::string>(&checked)) {
    ShowError(QString::fromStdString(WithClosingPeriod(*message)));
    return;
  }
  FirstPage = std::get<PageRange>(checked).first;
  LastPage = std::get<PageRange>(checked).last;
  accept();
}

void TfrmPage::Button2Click() { reject(); }

void TfrmPage::reject() {
  FirstPage = -1;
  LastPage = -1;
  QDialog::reject();
}

}  // namespace lumenquill
