#include "ui/frm_option.h"

#include <QLineEdit>
#include <QVariant>

#include "platform/ini_file.h"
#include "platform/settings_location.h"
#include "ui/fixed_dialog.h"
#include "ui/form_font.h"

namespace lumenquill {
namespace {

template <typename Control>
Control* Make(QWidget* parent, const char* name, const QString& caption, QRect bounds) {
  auto* control = new Control(caption, parent);
  control->setObjectName(name);
  control->setGeometry(bounds);
  return control;
}

// The section and key of a stored control.
std::string Section(const QWidget* control) {
  return control->parentWidget()->objectName().toStdString();
}
std::string Key(const QWidget* control) { return control->objectName().toStdString(); }

// A control holding stored controls of its own (the group boxes).
bool IsContainer(QWidget* widget) {
  return qobject_cast<QGroupBox*>(widget) != nullptr ||
         (QString(widget->metaObject()->className()) == "QWidget");
}

// The direct child widgets in creation order.
QList<QWidget*> Children(QWidget* container) {
  return container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
}

}  // namespace

TfrmOption::TfrmOption(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setObjectName("frmOption");
  setWindowTitle("オプション");
  setFont(FormFont());
  setFixedSize(490, 340);
  CentreOnScreen(*this);

  // Created in the order the walk visits them.
  GroupBox1 = Make<QGroupBox>(this, "GroupBox1", "出力設定", {16, 16, 225, 89});
  GroupBox2 = Make<QGroupBox>(this, "GroupBox2", "改行コード", {248, 16, 225, 89});
  GroupBox3 = Make<QGroupBox>(this, "GroupBox3", "環境設定", {16, 112, 457, 129});
  GroupBox4 = Make<QGroupBox>(this, "GroupBox4", "読み込み", {16, 248, 457, 49});
  Button1 = Make<QPushButton>(this, "Button1", "OK", {296, 306, 75, 25});
  Button2 = Make<QPushButton>(this, "Button2", "キャンセル", {392, 306, 75, 25});

  CheckBox1 =
      Make<QCheckBox>(GroupBox1, "CheckBox1", "ページごとに区切り線を付加(&K)", {16, 24, 201, 17});
  CheckBox2 =
      Make<QCheckBox>(GroupBox1, "CheckBox2", "ページを指定して抽出(&T)", {16, 56, 193, 17});

  Label1 = Make<QLabel>(GroupBox2, "Label1", "改行コード", {24, 56, 60, 14});
  RadioButton1 = Make<QRadioButton>(GroupBox2, "RadioButton1", "改行あり", {16, 24, 81, 17});
  RadioButton2 = Make<QRadioButton>(GroupBox2, "RadioButton2", "改行なし", {104, 24, 81, 17});
  ComboBox1 = new QComboBox(GroupBox2);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setGeometry(96, 53, 89, 20);
  ComboBox1->addItems({"CR+LF", "LF", "CR"});
  ComboBox1->setCurrentIndex(-1);
  ComboBox1->setProperty("Tag", 0);

  Label2 = Make<QLabel>(GroupBox3, "Label2", "※ 最大10個のウインドウまで表示", {224, 25, 200, 14});
  CheckBox5 =
      Make<QCheckBox>(GroupBox3, "CheckBox5", "テキストエディタで表示する(&S)", {16, 24, 185, 17});
  CheckBox6 = Make<QCheckBox>(GroupBox3, "CheckBox6", "テキストファイルの保存先を確認する(&P)",
                              {16, 48, 241, 17});
  CheckBox7 = Make<QCheckBox>(GroupBox3, "CheckBox7",
                              "既存のテキストファイルの上書きを確認する(&R)", {16, 72, 273, 17});
  CheckBox8 =
      Make<QCheckBox>(GroupBox3, "CheckBox8", "警告メッセージを表示する(&W)", {16, 96, 177, 17});

  CheckBox9 =
      Make<QCheckBox>(GroupBox4, "CheckBox9", "新しい形式のPDFも読み込む(&N)", {16, 22, 241, 17});

  // The design-time states.
  CheckBox1->setChecked(true);
  RadioButton1->setChecked(true);
  CheckBox5->setChecked(true);
  CheckBox7->setChecked(true);
  CheckBox8->setChecked(true);

  setTabOrder(Button2, GroupBox1);
  setTabOrder(GroupBox1, GroupBox2);
  setTabOrder(GroupBox2, GroupBox3);
  setTabOrder(GroupBox3, GroupBox4);
  setTabOrder(GroupBox4, Button1);
  Button2->setFocus();

  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmOption::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LoadControls(this);
  Button2->setFocus();
}

void TfrmOption::Button1Click() {
  SaveControls(this);
  accept();
}

void TfrmOption::LoadControls(QWidget* container) {
  const std::string file = SettingsFilePath();
  for (QWidget* child : Children(container)) {
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && button->isCheckable()) {
      const int32_t value = ReadProfileInt(file, Section(child), Key(child), -1);
      if (value == 0 || value == 1) button->setChecked(value == 1);
    } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
      const int32_t fallback = combo->property("Tag").toInt() == 0 ? 0 : -1;
      const int32_t index = ReadProfileInt(file, Section(child), Key(child), fallback);
      if (index >= 0 && index < combo->count() && index <= 255) combo->setCurrentIndex(index);
    } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
      edit->setText(QString::fromStdString(
          ReadProfileString(file, Section(child), Key(child), "").substr(0, 500)));
    }
    if (IsContainer(child)) LoadControls(child);
  }
}

void TfrmOption::SaveControls(QWidget* container) {
  const std::string file = SettingsFilePath();
  for (QWidget* child : Children(container)) {
    if (auto* button = qobject_cast<QAbstractButton*>(child); button && button->isCheckable()) {
      WriteProfileValue(file, Section(child), Key(child), button->isChecked() ? "1" : "0");
    } else if (auto* combo = qobject_cast<QComboBox*>(child)) {
      WriteProfileValue(file, Section(child), Key(child), std::to_string(combo->currentIndex()));
    } else if (auto* edit = qobject_cast<QLineEdit*>(child)) {
      WriteProfileValue(file, Section(child), Key(child), edit->text().toStdString());
    }
    if (IsContainer(child)) SaveControls(child);
  }
}

}  // namespace lumenquill
