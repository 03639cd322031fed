#pragma once

#include <stdlib.h>

#include <string>

#include "support/environment.h"
#include "support/temp_file.h"

namespace lumenquill::testing {

// The options as a new settings file holds them, each at its fallback.
inline constexpr const char* kDefaultOptionsText =
    "[GroupBox1]\nCheckBox1=1\nCheckBox2=0\n[GroupBox2]\nRadioButton1=1\nRadioButton2=0\n"
    "ComboBox1=0\n[GroupBox3]\nCheckBox5=1\nCheckBox6=0\nCheckBox7=1\nCheckBox8=1\n"
    "[GroupBox4]\nCheckBox9=0\n[GroupBox5]\nComboBox2=0\nCheckBox10=0\nCheckBox11=0\n"
    "ComboBox3=0\n";

// Every option at the other value than its fallback, the line end at CR, the encoding at
// UTF-16LE and ruby kept as drawn.
inline constexpr const char* kInvertedOptionsText =
    "[GroupBox1]\nCheckBox1=0\nCheckBox2=1\n[GroupBox2]\nRadioButton1=0\nRadioButton2=1\n"
    "ComboBox1=2\n[GroupBox3]\nCheckBox5=0\nCheckBox6=1\nCheckBox7=0\nCheckBox8=0\n"
    "[GroupBox4]\nCheckBox9=1\n[GroupBox5]\nComboBox2=3\nCheckBox10=1\nCheckBox11=1\n"
    "ComboBox3=2\n";

// A settings file with the given text, named by LUMENQUILL_INI while the object lives.
class SettingsFile {
 public:
  explicit SettingsFile(const std::string& text) : file_(text, "lumenquill.ini") {
    SetEnvironment("LUMENQUILL_INI", file_.path().c_str());
  }
  ~SettingsFile() { UnsetEnvironment("LUMENQUILL_INI"); }

  const std::string& path() const { return file_.path(); }

 private:
  TempFile file_;
};

}  // namespace lumenquill::testing
