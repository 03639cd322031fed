#include "app/settings.h"

#include <iterator>
#include <string>

#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace lumenquill {
namespace {

int32_t ReadInt(const char* section, const char* key, int32_t fallback) {
  return ReadProfileInt(SettingsFilePath(), section, key, fallback);
}

// A flag counts as on only at exactly 1.
bool ReadFlag(const char* section, const char* key, int32_t fallback) {
  return ReadInt(section, key, fallback) == 1;
}

void Write(const char* key, int32_t value) {
  WriteProfileValue(SettingsFilePath(), "frmMain", key, std::to_string(value));
}

}  // namespace

bool ReadShowWarnings() { return ReadFlag("GroupBox3", "CheckBox8", 1); }

bool ReadNewerFormats() { return ReadFlag("GroupBox4", "CheckBox9", 0); }

ConversionFlags LoadOptions(TPDFTextDecoder& decoder) {
  decoder.LineBreakMode = ReadFlag("GroupBox2", "RadioButton1", 1) ? 1 : 0;
  // The newline codes in the order of the options' list; another value leaves the decoder's
  // own CR LF.
  static const std::string kNewLineCodes[] = {"\r\n", "\n", "\r"};
  const int32_t new_line = ReadInt("GroupBox2", "ComboBox1", 0);
  if (new_line >= 0 && new_line < static_cast<int32_t>(std::size(kNewLineCodes))) {
    decoder.NewLineCode = kNewLineCodes[new_line];
  }
  decoder.PageSeparator = ReadFlag("GroupBox1", "CheckBox1", 1);
  ConversionFlags flags;
  flags.PageRange = ReadFlag("GroupBox1", "CheckBox2", 0);
  flags.OpenInEditor = ReadFlag("GroupBox3", "CheckBox5", 1);
  flags.AskSavePath = ReadFlag("GroupBox3", "CheckBox6", 0);
  flags.ConfirmOverwrite = ReadFlag("GroupBox3", "CheckBox7", 1);
  return flags;
}

MainWindowSettings ReadMainWindowSettings() {
  MainWindowSettings settings;
  settings.Left = ReadInt("frmMain", "Left", 50);
  settings.Top = ReadInt("frmMain", "Top", 50);
  settings.Width = ReadInt("frmMain", "Width", kMainWindowWidth);
  settings.Height = ReadInt("frmMain", "Height", kMainWindowHeight);
  settings.Zoom = ReadInt("frmMain", "Zoom", 0) != 0;
  settings.ToolBar = ReadFlag("frmMain", "N10", 0);
  settings.StatusBar = ReadFlag("frmMain", "N11", 0);
  settings.OnTop = ReadFlag("frmMain", "N12", 0);
  return settings;
}

void WriteMainWindowSettings(const MainWindowSettings& settings) {
  Write("Zoom", settings.Zoom ? 1 : 0);
  Write("Left", settings.Left);
  Write("Top", settings.Top);
  Write("Width", settings.Width);
  Write("height", settings.Height);
  Write("N10", settings.ToolBar ? 1 : 0);
  Write("N11", settings.StatusBar ? 1 : 0);
  Write("N12", settings.OnTop ? 1 : 0);
}

}  // namespace lumenquill
