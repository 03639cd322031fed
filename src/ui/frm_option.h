#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace lumenquill {

// The options dialog. It keeps no list of settings: every check box, radio button, combo box
// and edit is stored under its parent's object name as the section and its own object name as
// the key, so the settings file's keys are exactly the control names.
class TfrmOption final : public QDialog {
 public:
  explicit TfrmOption(QWidget* parent = nullptr);

  // Sets every storable control inside the container, at any depth, from the settings file.
  static void LoadControls(QWidget* container);
  // Writes every storable control inside the container, at any depth, to the settings file.
  static void SaveControls(QWidget* container);

  QGroupBox* GroupBox1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QGroupBox* GroupBox2;
  QLabel* Label1;
  QRadioButton* RadioButton1;
  QRadioButton* RadioButton2;
  QComboBox* ComboBox1;
  QGroupBox* GroupBox3;
  QLabel* Label2;
  QCheckBox* CheckBox5;
  QCheckBox* CheckBox6;
  QCheckBox* CheckBox7;
  QCheckBox* CheckBox8;
  QGroupBox* GroupBox4;
  QCheckBox* CheckBox9;  // reading newer PDF files, off at design time
  QPushButton* Button1;
  QPushButton* Button2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Button1Click();
};

}  // namespace lumenquill
