#include <gtest/gtest.h>

#include <utility>

#include <QLabel>
#include <QTest>

#include "app/settings.h"
#include "settings_file.h"
#include "ui/options_dialog.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

// A list's items, in its order, separated by "|".
QString Items(const QComboBox& list) {
  QStringList items;
  for (int i = 0; i < list.count(); ++i) items.append(list.itemText(i));
  return items.join('|');
}

// Each control shows its own setting and OK writes it back under the same key: with every
// setting set to the other value than its fallback, each control shows that value.
TEST(OptionsDialog, EachControlReadsAndWritesItsSetting) {
  SettingsFile file(testing::kInvertedOptionsText);
  OptionsDialog dialog;
  dialog.show();
  const std::pair<SettingId, const QAbstractButton*> buttons[] = {
      {SettingId::kPageBanners, dialog.page_banners},
      {SettingId::kAskPageRange, dialog.ask_page_range},
      {SettingId::kLineBreaks, dialog.line_breaks},
      {SettingId::kNoLineBreaks, dialog.no_line_breaks},
      {SettingId::kOpenInEditor, dialog.open_in_editor},
      {SettingId::kAskSavePath, dialog.ask_save_path},
      {SettingId::kConfirmOverwrite, dialog.confirm_overwrite},
      {SettingId::kShowWarnings, dialog.show_warnings},
      {SettingId::kNewerFormats, dialog.newer_formats},
      {SettingId::kFoldCompatibility, dialog.fold_compatibility},
      {SettingId::kLayoutOrder, dialog.layout_order}};
  for (const auto& [id, button] : buttons) {
    EXPECT_EQ(button->isChecked(), SettingOf(id).fallback != 1) << SettingOf(id).key;
  }
  EXPECT_EQ(dialog.line_end->currentText(), "CR");
  EXPECT_EQ(dialog.encoding->currentText(), "UTF-16LE (BOM付き)");
  EXPECT_EQ(dialog.ruby->currentText(), "そのまま残す");
  QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
  EXPECT_EQ(testing::ReadWholeFile(file.path()), testing::kInvertedOptionsText);
}

// The dialog opens on its first field, where Enter is OK.
TEST(OptionsDialog, EnterOnTheFirstFieldWritesEveryKeyInOrder) {
  SettingsFile file("");
  OptionsDialog dialog;
  dialog.show();
  ASSERT_EQ(dialog.focusWidget(), dialog.page_banners);
  QTest::keyClick(dialog.page_banners, Qt::Key_Return);
  EXPECT_EQ(testing::ReadWholeFile(file.path()), testing::kDefaultOptionsText);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(OptionsDialog, CancelAndClosingWriteNothing) {
  SettingsFile file("[GroupBox1]\nCheckBox2=1\n");
  {
    OptionsDialog dialog;
    dialog.show();
    EXPECT_TRUE(dialog.ask_page_range->isChecked());
    dialog.ask_page_range->setChecked(false);
    QTest::mouseClick(dialog.cancel_button, Qt::LeftButton);
  }
  {
    OptionsDialog dialog;
    dialog.show();
    dialog.ask_page_range->setChecked(false);
    dialog.close();
  }
  EXPECT_EQ(testing::ReadWholeFile(file.path()), "[GroupBox1]\nCheckBox2=1\n");
}

// Values the dialog does not understand leave the design state; OK then writes what it shows.
TEST(OptionsDialog, OddValues) {
  SettingsFile file(
      "[GroupBox1]\nCheckBox1=2\n[GroupBox2]\nRadioButton1=1\nRadioButton2=1\nComboBox1=9\n");
  OptionsDialog dialog;
  dialog.show();
  EXPECT_TRUE(dialog.page_banners->isChecked());
  EXPECT_TRUE(dialog.no_line_breaks->isChecked());  // checked after line_breaks
  EXPECT_FALSE(dialog.line_breaks->isChecked());
  EXPECT_EQ(dialog.line_end->currentIndex(), -1);
  dialog.line_end->setCurrentIndex(1);
  QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
  EXPECT_EQ(testing::ReadWholeFile(file.path()),
            "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=0\n"
            "RadioButton2=1\nComboBox1=1\n[GroupBox3]\nCheckBox5=1\nCheckBox6=0\nCheckBox7=1\n"
            "CheckBox8=1\n[GroupBox4]\nCheckBox9=0\n[GroupBox5]\nComboBox2=0\nCheckBox10=0\n"
            "CheckBox11=0\nComboBox3=0\n");
}

// No two controls of the dialog answer the same Alt key.
TEST(OptionsDialog, AcceleratorsAreDistinct) {
  OptionsDialog dialog;
  QStringList letters;
  QStringList texts;
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    texts.append(button->text());
  }
  for (const QLabel* label : dialog.findChildren<QLabel*>()) texts.append(label->text());
  for (const QString& text : texts) {
    const qsizetype amp = text.indexOf('&');
    if (amp >= 0 && amp + 1 < text.size()) letters.append(text.mid(amp + 1, 1).toUpper());
  }
  EXPECT_EQ(letters.size(), 10);
  letters.removeDuplicates();
  EXPECT_EQ(letters.size(), 10) << letters.join(' ').toStdString();
  EXPECT_EQ(dialog.newer_formats->text(), "新しい形式のPDFも読み込む(&N)");
}

// The reading of newer files is stored where the conversion reads it.
TEST(OptionsDialog, NewerFormatsRoundTrip) {
  SettingsFile file("[GroupBox4]\nCheckBox9=1\n");
  {
    OptionsDialog dialog;
    dialog.show();
    EXPECT_TRUE(dialog.newer_formats->isChecked());
    dialog.newer_formats->setChecked(false);
    QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
  }
  EXPECT_FALSE(ReadNewerFormats());
  OptionsDialog dialog;
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_FALSE(dialog.newer_formats->isChecked());
  // The check box's accelerator; the button clicks itself after a short animation.
  QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&dialog] { return dialog.newer_formats->isChecked(); }));
  QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
  EXPECT_TRUE(ReadNewerFormats());
}

// The encodings in their order, Shift-JIS for a value that names none; the folding check box
// is enabled with the Unicode encodings alone, and both are stored where the conversion reads
// them.
TEST(OptionsDialog, EncodingAndFolding) {
  SettingsFile file("[GroupBox5]\nComboBox2=9\nCheckBox10=1\n");
  OptionsDialog dialog;
  dialog.show();
  EXPECT_EQ(Items(*dialog.encoding), "Shift-JIS|UTF-8|UTF-8 (BOM付き)|UTF-16LE (BOM付き)");
  EXPECT_EQ(dialog.encoding->currentIndex(), 0);
  EXPECT_TRUE(dialog.fold_compatibility->isChecked());
  EXPECT_FALSE(dialog.fold_compatibility->isEnabled());
  dialog.encoding->setCurrentIndex(1);
  EXPECT_TRUE(dialog.fold_compatibility->isEnabled());
  dialog.encoding->setCurrentIndex(0);
  EXPECT_FALSE(dialog.fold_compatibility->isEnabled());
  dialog.encoding->setCurrentIndex(2);
  QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
  ExtractionOptions extraction;
  LoadOptions(extraction);
  EXPECT_EQ(extraction.encoding.encoding, OutputEncoding::kUTF8WithBOM);
  EXPECT_TRUE(extraction.encoding.fold_compatibility_forms);
}

// The ruby choices in their order, leaving it out for a value that names none; the list is
// enabled while layout order is checked and keeps its value when it is not.
TEST(OptionsDialog, LayoutOrderAndRuby) {
  {
    SettingsFile file("[GroupBox5]\nComboBox3=7\n");
    OptionsDialog dialog;
    dialog.show();
    EXPECT_EQ(Items(*dialog.ruby), "除く|《》で囲んで残す|そのまま残す");
    EXPECT_EQ(dialog.ruby->currentIndex(), 0);
    EXPECT_FALSE(dialog.layout_order->isChecked());
    EXPECT_FALSE(dialog.ruby->isEnabled());
    dialog.layout_order->setChecked(true);
    EXPECT_TRUE(dialog.ruby->isEnabled());
    dialog.ruby->setCurrentIndex(1);
    dialog.layout_order->setChecked(false);
    EXPECT_FALSE(dialog.ruby->isEnabled());
    QTest::mouseClick(dialog.ok_button, Qt::LeftButton);
    ExtractionOptions extraction;
    LoadOptions(extraction);
    EXPECT_FALSE(extraction.layout_order);
    EXPECT_EQ(extraction.ruby, RubyHandling::kBracket);
  }
  SettingsFile file("[GroupBox5]\nCheckBox11=1\n");
  OptionsDialog dialog;
  dialog.show();
  EXPECT_TRUE(dialog.ruby->isEnabled());
}

}  // namespace
}  // namespace lumenquill
