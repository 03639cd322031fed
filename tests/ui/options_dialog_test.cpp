#include <gtest/gtest.h>

#include <QTest>

#include "app/settings.h"
#include "settings_file.h"
#include "ui/frm_option.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

constexpr const char* kDefaults =
    "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=1\nRadioButton2=0\n"
    "ComboBox1=0\n[GroupBox3]\nCheckBox5=1\nCheckBox6=0\nCheckBox7=1\nCheckBox8=1\n"
    "[GroupBox4]\nCheckBox9=0\n";

TEST(OptionsDialog, AFreshFileShowsTheDesignStates) {
  SettingsFile file("");
  TfrmOption dialog;
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "オプション");
  EXPECT_TRUE(dialog.CheckBox1->isChecked());
  EXPECT_FALSE(dialog.CheckBox2->isChecked());
  EXPECT_TRUE(dialog.RadioButton1->isChecked());
  EXPECT_EQ(dialog.ComboBox1->currentText(), "CR+LF");
  EXPECT_TRUE(dialog.CheckBox5->isChecked());
  EXPECT_FALSE(dialog.CheckBox6->isChecked());
  EXPECT_TRUE(dialog.CheckBox7->isChecked());
  EXPECT_TRUE(dialog.CheckBox8->isChecked());
  EXPECT_FALSE(dialog.CheckBox9->isChecked());
  EXPECT_FALSE(ReadNewerFormats());
  EXPECT_EQ(dialog.Label2->text(), "※ 最大10個のウインドウまで表示");
}

TEST(OptionsDialog, OkWritesTheTenKeysInOrder) {
  SettingsFile file("");
  TfrmOption dialog;
  dialog.show();
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  EXPECT_EQ(testing::ReadWholeFile(file.path()), kDefaults);
  EXPECT_FALSE(dialog.isVisible());
}

TEST(OptionsDialog, CancelAndClosingWriteNothing) {
  SettingsFile file("[GroupBox1]\nCheckBox2=1\n");
  {
    TfrmOption dialog;
    dialog.show();
    EXPECT_TRUE(dialog.CheckBox2->isChecked());
    dialog.CheckBox2->setChecked(false);
    QTest::mouseClick(dialog.Button2, Qt::LeftButton);
  }
  {
    TfrmOption dialog;
    dialog.show();
    dialog.CheckBox2->setChecked(false);
    dialog.close();
  }
  EXPECT_EQ(testing::ReadWholeFile(file.path()), "[GroupBox1]\nCheckBox2=1\n");
}

// Values the dialog does not understand leave the design state; OK then writes what it shows.
TEST(OptionsDialog, OddValues) {
  SettingsFile file(
      "[GroupBox1]\nCheckBox1=2\n[GroupBox2]\nRadioButton1=1\nRadioButton2=1\nComboBox1=9\n");
  TfrmOption dialog;
  dialog.show();
  EXPECT_TRUE(dialog.CheckBox1->isChecked());
  EXPECT_TRUE(dialog.RadioButton2->isChecked());  // checked after RadioButton1
  EXPECT_FALSE(dialog.RadioButton1->isChecked());
  EXPECT_EQ(dialog.ComboBox1->currentIndex(), -1);
  dialog.ComboBox1->setCurrentIndex(1);
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  EXPECT_EQ(testing::ReadWholeFile(file.path()),
            "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=0\n"
            "RadioButton2=1\nComboBox1=1\n[GroupBox3]\nCheckBox5=1\nCheckBox6=0\nCheckBox7=1\n"
            "CheckBox8=1\n[GroupBox4]\nCheckBox9=0\n");
}

// No two controls of the dialog answer the same Alt key.
TEST(OptionsDialog, AcceleratorsAreDistinct) {
  TfrmOption dialog;
  QStringList letters;
  for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
    const QString text = button->text();
    const qsizetype amp = text.indexOf('&');
    if (amp >= 0 && amp + 1 < text.size()) letters.append(text.mid(amp + 1, 1).toUpper());
  }
  EXPECT_EQ(letters.size(), 7);
  letters.removeDuplicates();
  EXPECT_EQ(letters.size(), 7) << letters.join(' ').toStdString();
  EXPECT_EQ(dialog.CheckBox9->text(), "新しい形式のPDFも読み込む(&N)");
}

// The reading of newer files is stored as [GroupBox4] CheckBox9, which the conversion reads.
TEST(OptionsDialog, NewerFormatsRoundTrip) {
  SettingsFile file("[GroupBox4]\nCheckBox9=1\n");
  {
    TfrmOption dialog;
    dialog.show();
    EXPECT_TRUE(dialog.CheckBox9->isChecked());
    dialog.CheckBox9->setChecked(false);
    QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  }
  EXPECT_FALSE(ReadNewerFormats());
  TfrmOption dialog;
  dialog.show();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  EXPECT_FALSE(dialog.CheckBox9->isChecked());
  // The check box's accelerator; the button clicks itself after a short animation.
  QTest::keyClick(&dialog, Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&dialog] { return dialog.CheckBox9->isChecked(); }));
  QTest::mouseClick(dialog.Button1, Qt::LeftButton);
  EXPECT_TRUE(ReadNewerFormats());
}

}  // namespace
}  // namespace lumenquill
