#include "ui/page_range_dialog.h"

#include <QKeyEvent>
#include <variant>

#include "app/page_range_check.h"
#include "ui/fixed_dialog.h"
#include "ui/form_font.h"
#include "ui/message_box.h"

namespace lumenquill {
namespace {

constexpr char kTitle[] = "ページを指定して抽出";
// Wide enough for the title with a usual file name in a window manager's title bar.
constexpr int kWidth = 440;
// What a title bar takes beside the title: the icon, the buttons and their margins.
constexpr int kTitleBarRoom = 96;

QLineEdit* MakeEdit(QWidget* parent, int left) {
  auto* edit = new QLineEdit(parent);
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

PageRangeDialog::PageRangeDialog(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setWindowTitle(kTitle);
  setFont(FormFont());
  setFixedSize(kWidth, 112);
  CentreOnScreen(*this);

  prompt = new QLabel("抽出するページ範囲を入力してください", this);
  prompt->move(16, 16);
  first_edit = MakeEdit(this, 16);
  dash = new QLabel("-", this);
  dash->move(93, 47);
  last_edit = MakeEdit(this, 112);
  valid_pages = new QLabel(this);
  valid_pages->move(200, 45);
  ok_button = new QPushButton("OK", this);
  ok_button->setGeometry(kWidth - 172, 76, 75, 23);
  cancel_button = new QPushButton("キャンセル", this);
  cancel_button->setGeometry(kWidth - 84, 76, 75, 23);

  setTabOrder(ok_button, first_edit);
  setTabOrder(first_edit, last_edit);
  setTabOrder(last_edit, cancel_button);
  ok_button->setDefault(true);
  for (QLineEdit* edit : {first_edit, last_edit}) edit->installEventFilter(this);
  show_error = [this](const QString& message) {
    MakeMessageBox(QMessageBox::Critical, "Lumenquill", message, QMessageBox::Ok, this)->exec();
  };
  connect(ok_button, &QPushButton::clicked, this, [this] { Confirm(); });
  connect(cancel_button, &QPushButton::clicked, this, [this] { Cancel(); });
}

// Title bars draw the title in bold more often than not; measured so, the title fits.
void PageRangeDialog::AppendToTitle(const QString& suffix) {
  QFont title_font = font();
  title_font.setBold(true);
  const QFontMetrics metrics(title_font);
  const int room = width() - kTitleBarRoom - metrics.horizontalAdvance(kTitle);
  setWindowTitle(kTitle + metrics.elidedText(suffix, Qt::ElideMiddle, room));
}

void PageRangeDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  ShowPageCount();
}

void PageRangeDialog::ShowPageCount() {
  const int32_t pages = page_count;
  valid_pages->setText(QString("有効ページ : 1-%1").arg(pages));
  valid_pages->adjustSize();
  first_edit->setText("1");
  last_edit->setText(QString::number(pages));
  // Typing replaces the first page straight away.
  first_edit->setFocus();
  first_edit->selectAll();
}

// Typed characters are filtered (pasted text is not), and Enter released in an edit runs OK
// when it was also pressed there: the release of the Enter that closed the error box lands in
// the edit too, and must not run the checks again.
bool PageRangeDialog::eventFilter(QObject* watched, QEvent* event) {
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
      if (pressed_here) Confirm();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void PageRangeDialog::Confirm() {
  const int32_t pages = page_count;
  const auto checked =
      CheckPageRange(first_edit->text().toStdString(), last_edit->text().toStdString(), pages);
  if (const auto* message = std::get_if<std::string>(&checked)) {
    show_error(QString::fromStdString(WithClosingPeriod(*message)));
    return;
  }
  first_page = std::get<PageRange>(checked).first;
  last_page = std::get<PageRange>(checked).last;
  accept();
}

void PageRangeDialog::Cancel() { reject(); }

void PageRangeDialog::reject() {
  first_page = -1;
  last_page = -1;
  QDialog::reject();
}

}  // namespace lumenquill
