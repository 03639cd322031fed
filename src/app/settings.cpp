#include "app/settings.h"

#include <iterator>
#include <string>

#include "platform/ini_file.h"
#include "platform/settings_location.h"

namespace lumenquill {
namespace {

// A flag counts as on only at exactly 1.
bool ReadFlag(const ProfileFile& settings, const char* section, const char* key, int32_t fallback) {
  return settings.ReadInt(section, key, fallback) == 1;
}

void Write(const char* key, int32_t value) {
  WriteProfileString(SettingsFilePath(), "frmMain", key, std::to_string(value));
}

}  // namespace

bool ReadShowWarnings() {
  return ReadFlag(ProfileFile(SettingsFilePath()), "GroupBox3", "CheckBox8", 1);
}

bool ReadNewerFormats() {
  return ReadFlag(ProfileFile(SettingsFilePath()), "GroupBox4", "CheckBox9", 0);
}

ConversionFlags LoadOptions(TPDFTextDecoder& decoder) {
  const ProfileFile settings(SettingsFilePath());
  decoder.LineBreakMode = ReadFlag(settings, "GroupBox2", "RadioButton1", 1) ? 1 : 0;
  // The newline codes in the order of the options' list; another value leaves the decoder's
  // own CR LF.
  static const std::string kNewLineCodes[] = {"\r\n", "\n", "\r"};
  const int32_t new_line = settings.ReadInt("GroupBox2", "ComboBox1", 0);
  if (new_line >= 0 && new_line < static_cast<int32_t>(std::size(kNewLineCodes))) {
    decoder.NewLineCode = kNewLineCodes[new_line];
  }
  decoder.PageSeparator = ReadFlag(settings, "GroupBox1", "CheckBox1", 1);
  ConversionFlags flags;
  flags.PageRange = ReadFlag(settings, "GroupBox1", "CheckBox2", 0);
  flags.OpenInEditor = ReadFlag(settings, "GroupBox3", "CheckBox5", 1);
  flags.AskSavePath = ReadFlag(settings, "GroupBox3", "CheckBox6", 0);
  flags.ConfirmOverwrite = ReadFlag(settings, "GroupBox3", "CheckBox7", 1);
  return flags;
}

MainWindowSettings ReadMainWindowSettings() {
  const ProfileFile file(SettingsFilePath());
  MainWindowSettings settings;
  settings.Left = file.ReadInt("frmMain", "Left", 50);
  settings.Top = file.ReadInt("frmMain", "Top", 50);
  settings.Width = file.ReadInt("frmMain", "Width", kMainWindowWidth);
  settings.Height = file.ReadInt("frmMain", "Height", kMainWindowHeight);
  settings.Zoom = file.ReadInt("frmMain", "Zoom", 0) != 0;
  settings.ToolBar = ReadFlag(file, "frmMain", "N10", 0);
  settings.StatusBar = ReadFlag(file, "frmMain", "N11", 0);
  settings.OnTop = ReadFlag(file, "frmMain", "N12", 0);
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
