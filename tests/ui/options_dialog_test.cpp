#include <gtest/gtest.h>

#include <QTest>

#include "settings_file.h"
#include "ui/frm_option.h"

namespace lumenquill {
namespace {

using testing::SettingsFile;

constexpr const char* kDefaults =
    "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=1\nRadioButton2=0\n"
    "ComboBox1=0\n[GroupBox3]\nCheckBox5=1\nCheckBox6=0\nCheckBox7=1\nCheckBox8=1\n";

TEST(OptionsDialog, AFreshFileShowsTheDesignStates) {
  SettingsFile file("");
  TfrmOption dialog;
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), "オプション");
  EXPECT_EQ(dialog.size(), QSize(490, 284));
  EXPECT_TRUE(dialog.CheckBox1->isChecked());
  EXPECT_FALSE(dialog.CheckBox2->isChecked());
  EXPECT_TRUE(dialog.RadioButton1->isChecked());
  EXPECT_EQ(dialog.ComboBox1->currentText(), "CR+LF");
  EXPECT_TRUE(dialog.CheckBox5->isChecked());
  EXPECT_FALSE(dialog.CheckBox6->isChecked());
  EXPECT_TRUE(dialog.CheckBox7->isChecked());
  EXPECT_TRUE(dialog.CheckBox8->isChecked());
  EXPECT_EQ(dialog.CheckBox6->geometry(), QRect(16, 48, 241, 17));
  EXPECT_EQ(dialog.Label2->text(), "※ 最大10個のウインドウまで表示");
}

TEST(OptionsDialog, OkWritesTheNineKeysInOrder) {
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
            "CheckBox8=1\n");
}

}  // namespace
}  // namespace lumenquill
