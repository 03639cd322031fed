#include "ui/options_dialog.h"

#include <QGroupBox>
#include <QLabel>

#include "ui/fixed_dialog.h"
#include "ui/form_font.h"

namespace lumenquill {
namespace {

template <typename Control>
Control* Make(QWidget* parent, const QString& caption, QRect bounds) {
  auto* control = new Control(caption, parent);
  control->setGeometry(bounds);
  return control;
}

// A check box or radio button of a setting, in its state before anything is read.
template <typename Button>
Button* MakeButton(QWidget* parent, SettingId id, const QString& caption, QRect bounds) {
  auto* button = Make<Button>(parent, caption, bounds);
  button->setChecked(SettingOf(id).fallback == 1);
  return button;
}

// A list of the choices' items.
template <typename Value, size_t N>
QComboBox* MakeList(QWidget* parent, const ListChoice<Value> (&choices)[N], QRect bounds) {
  auto* list = new QComboBox(parent);
  list->setGeometry(bounds);
  for (const ListChoice<Value>& choice : choices) list->addItem(choice.item);
  return list;
}

}  // namespace

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent, kFixedDialogFlags) {
  setWindowTitle("オプション");
  setFont(FormFont());
  setFixedSize(490, 420);
  CentreOnScreen(*this);

  auto* output = Make<QGroupBox>(this, "出力設定", {16, 16, 225, 89});
  auto* line_end_group = Make<QGroupBox>(this, "改行コード", {248, 16, 225, 89});
  auto* environment = Make<QGroupBox>(this, "環境設定", {16, 112, 457, 129});
  auto* reading = Make<QGroupBox>(this, "読み込み", {16, 248, 457, 49});
  auto* text_file = Make<QGroupBox>(this, "テキストファイル", {16, 304, 457, 73});
  ok_button = Make<QPushButton>(this, "OK", {296, 386, 75, 25});
  cancel_button = Make<QPushButton>(this, "キャンセル", {392, 386, 75, 25});

  page_banners = MakeButton<QCheckBox>(output, SettingId::kPageBanners,
                                       "ページごとに区切り線を付加(&K)", {16, 24, 201, 17});
  ask_page_range = MakeButton<QCheckBox>(output, SettingId::kAskPageRange,
                                         "ページを指定して抽出(&T)", {16, 56, 193, 17});

  Make<QLabel>(line_end_group, "改行コード", {24, 56, 60, 14});
  line_breaks = MakeButton<QRadioButton>(line_end_group, SettingId::kLineBreaks, "改行あり",
                                         {16, 24, 81, 17});
  no_line_breaks = MakeButton<QRadioButton>(line_end_group, SettingId::kNoLineBreaks, "改行なし",
                                            {104, 24, 81, 17});
  line_end = MakeList(line_end_group, kLineEnds, {96, 53, 89, 20});
  line_end->setCurrentIndex(-1);

  Make<QLabel>(environment, "※ 最大10個のウインドウまで表示", {224, 25, 200, 14});
  open_in_editor = MakeButton<QCheckBox>(environment, SettingId::kOpenInEditor,
                                         "テキストエディタで表示する(&S)", {16, 24, 185, 17});
  ask_save_path =
      MakeButton<QCheckBox>(environment, SettingId::kAskSavePath,
                            "テキストファイルの保存先を確認する(&P)", {16, 48, 241, 17});
  confirm_overwrite =
      MakeButton<QCheckBox>(environment, SettingId::kConfirmOverwrite,
                            "既存のテキストファイルの上書きを確認する(&R)", {16, 72, 273, 17});
  show_warnings = MakeButton<QCheckBox>(environment, SettingId::kShowWarnings,
                                        "警告メッセージを表示する(&W)", {16, 96, 177, 17});

  newer_formats = MakeButton<QCheckBox>(reading, SettingId::kNewerFormats,
                                        "新しい形式のPDFも読み込む(&N)", {16, 22, 241, 17});

  encoding = MakeList(text_file, kEncodings, {96, 21, 137, 20});
  Make<QLabel>(text_file, "文字コード(&C)", {16, 24, 76, 14})->setBuddy(encoding);
  fold_compatibility = MakeButton<QCheckBox>(text_file, SettingId::kFoldCompatibility,
                                             "互換文字を正規化する", {256, 22, 185, 17});
  fold_compatibility->setEnabled(false);
  connect(encoding, &QComboBox::currentIndexChanged, fold_compatibility,
          [this](int index) { fold_compatibility->setEnabled(index > 0); });
  layout_order = MakeButton<QCheckBox>(text_file, SettingId::kLayoutOrder,
                                       "レイアウト順に並べる(&L)", {16, 46, 185, 17});
  ruby = MakeList(text_file, kRubyChoices, {300, 45, 141, 20});
  Make<QLabel>(text_file, "ルビ(&U)", {256, 48, 40, 14})->setBuddy(ruby);
  ruby->setEnabled(false);
  connect(layout_order, &QCheckBox::toggled, ruby, &QComboBox::setEnabled);

  controls_ = {page_banners,  ask_page_range,
               line_breaks,   no_line_breaks,
               line_end,      open_in_editor,
               ask_save_path, confirm_overwrite,
               show_warnings, newer_formats,
               encoding,      fold_compatibility,
               layout_order,  ruby};

  setTabOrder(cancel_button, output);
  setTabOrder(output, line_end_group);
  setTabOrder(line_end_group, environment);
  setTabOrder(environment, reading);
  setTabOrder(reading, text_file);
  setTabOrder(text_file, ok_button);
  ok_button->setDefault(true);

  connect(ok_button, &QPushButton::clicked, this, [this] {
    SaveControls();
    accept();
  });
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
}

void OptionsDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  LoadControls();
  // The first field takes the keys; Enter anywhere but on キャンセル is OK.
  page_banners->setFocus();
}

void OptionsDialog::LoadControls() {
  for (size_t i = 0; i < controls_.size(); ++i) {
    const Setting& setting = kOptionSettings[i];
    if (auto* combo = qobject_cast<QComboBox*>(controls_[i])) {
      const int32_t index = ReadSetting(setting);
      if (index >= 0 && index < combo->count()) combo->setCurrentIndex(index);
    } else {
      const int32_t value = ReadSettingOr(setting, -1);
      if (value == 0 || value == 1)
        qobject_cast<QAbstractButton*>(controls_[i])->setChecked(value == 1);
    }
  }
}

void OptionsDialog::SaveControls() {
  for (size_t i = 0; i < controls_.size(); ++i) {
    const auto* combo = qobject_cast<const QComboBox*>(controls_[i]);
    WriteSetting(kOptionSettings[i],
                 combo != nullptr
                     ? combo->currentIndex()
                     : (qobject_cast<QAbstractButton*>(controls_[i])->isChecked() ? 1 : 0));
  }
}

}  // namespace lumenquill
