#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "codes/text_encoder.h"
#include "layout/layout_options.h"

namespace lumenquill {

// Every value the settings file holds. The sections and keys are those of the files users
// have, named after the controls of the first options dialog; nothing else names them.
enum class SettingId {
  // The options dialog's, in the order it writes them.
  kPageBanners,
  kAskPageRange,
  kLineBreaks,
  kNoLineBreaks,  // the other radio button of the pair, written and never read
  kLineEnd,
  kOpenInEditor,
  kAskSavePath,
  kConfirmOverwrite,
  kShowWarnings,
  kNewerFormats,
  kEncoding,
  kFoldCompatibility,
  kLayoutOrder,
  kRuby,
  // The main window's, in the order it writes them.
  kWindowMaximised,
  kWindowLeft,
  kWindowTop,
  kWindowWidth,
  kWindowHeight,
  kToolBar,
  kStatusBar,
  kOnTop,
};

enum class SettingType {
  kFlag,    // on at exactly 1
  kSwitch,  // on at any value but 0
  kIndex,   // an item of a list, counted from 0
  kNumber,
};

struct Setting {
  SettingId id;
  const char* section;
  const char* key;
  // The value when the file, the section or the key is missing; for a control of the options
  // dialog, also its state before anything is read.
  int32_t fallback;
  SettingType type;
};

// The main window's size as designed: its size until one is saved, and the smallest it takes.
inline constexpr int32_t kMainWindowWidth = 295;
inline constexpr int32_t kMainWindowHeight = 180;

// The table, in the order of SettingId.
inline constexpr Setting kSettings[] = {
    {SettingId::kPageBanners, "GroupBox1", "CheckBox1", 1, SettingType::kFlag},
    {SettingId::kAskPageRange, "GroupBox1", "CheckBox2", 0, SettingType::kFlag},
    {SettingId::kLineBreaks, "GroupBox2", "RadioButton1", 1, SettingType::kFlag},
    {SettingId::kNoLineBreaks, "GroupBox2", "RadioButton2", 0, SettingType::kFlag},
    {SettingId::kLineEnd, "GroupBox2", "ComboBox1", 0, SettingType::kIndex},
    {SettingId::kOpenInEditor, "GroupBox3", "CheckBox5", 1, SettingType::kFlag},
    {SettingId::kAskSavePath, "GroupBox3", "CheckBox6", 0, SettingType::kFlag},
    {SettingId::kConfirmOverwrite, "GroupBox3", "CheckBox7", 1, SettingType::kFlag},
    {SettingId::kShowWarnings, "GroupBox3", "CheckBox8", 1, SettingType::kFlag},
    {SettingId::kNewerFormats, "GroupBox4", "CheckBox9", 0, SettingType::kFlag},
    {SettingId::kEncoding, "GroupBox5", "ComboBox2", 0, SettingType::kIndex},
    {SettingId::kFoldCompatibility, "GroupBox5", "CheckBox10", 0, SettingType::kFlag},
    {SettingId::kLayoutOrder, "GroupBox5", "CheckBox11", 0, SettingType::kFlag},
    {SettingId::kRuby, "GroupBox5", "ComboBox3", 0, SettingType::kIndex},
    {SettingId::kWindowMaximised, "frmMain", "Zoom", 0, SettingType::kSwitch},
    {SettingId::kWindowLeft, "frmMain", "Left", 50, SettingType::kNumber},
    {SettingId::kWindowTop, "frmMain", "Top", 50, SettingType::kNumber},
    {SettingId::kWindowWidth, "frmMain", "Width", kMainWindowWidth, SettingType::kNumber},
    // Written in lower case, as the files have it; keys match without regard to case.
    {SettingId::kWindowHeight, "frmMain", "height", kMainWindowHeight, SettingType::kNumber},
    {SettingId::kToolBar, "frmMain", "N10", 0, SettingType::kFlag},
    {SettingId::kStatusBar, "frmMain", "N11", 0, SettingType::kFlag},
    {SettingId::kOnTop, "frmMain", "N12", 0, SettingType::kFlag},
};

constexpr const Setting& SettingOf(SettingId id) { return kSettings[static_cast<size_t>(id)]; }

// The settings the options dialog shows, in the order it writes them.
inline constexpr std::span<const Setting> kOptionSettings{
    kSettings, static_cast<size_t>(SettingId::kRuby) + 1};

// An item of one of the options' lists: what it stands for, the name the command line gives it
// and the text the list shows.
template <typename Value>
struct ListChoice {
  Value value;
  const char* option_name;
  const char* item;
};

// The line ends of the options' list, in its order, with the names --eol gives them.
inline constexpr ListChoice<const char*> kLineEnds[] = {
    {"\r\n", "crlf", "CR+LF"},
    {"\n", "lf", "LF"},
    {"\r", "cr", "CR"},
};

// The encodings of the options' list, in its order (Shift-JIS first, the fallback), with the
// names --encoding gives them.
inline constexpr ListChoice<OutputEncoding> kEncodings[] = {
    {OutputEncoding::kShiftJIS, "sjis", "Shift-JIS"},
    {OutputEncoding::kUTF8, "utf-8", "UTF-8"},
    {OutputEncoding::kUTF8WithBOM, "utf-8-bom", "UTF-8 (BOM付き)"},
    {OutputEncoding::kUTF16LEWithBOM, "utf-16", "UTF-16LE (BOM付き)"},
};

// What becomes of ruby in layout order, as the options' list orders it (leaving it out first,
// the fallback), with the names --ruby gives them.
inline constexpr ListChoice<RubyHandling> kRubyChoices[] = {
    {RubyHandling::kDrop, "drop", "除く"},
    {RubyHandling::kBracket, "bracket", "《》で囲んで残す"},
    {RubyHandling::kAsDrawn, "as-drawn", "そのまま残す"},
};

// The integer the settings file gives a value as the profile functions read it: its leading
// decimal digits, negative after a minus; no digits read as 0, and a run too long for 32 bits
// stays at the limit.
int32_t ProfileNumber(std::string_view value);

// The setting's number in the settings file, or its fallback when it is missing.
int32_t ReadSetting(const Setting& setting);
// The same for a setting read as on or off, by its type.
bool ReadSwitch(const Setting& setting);
// The setting's number, or missing_value when the file does not give one: the options dialog
// keeps a control as it stands then.
int32_t ReadSettingOr(const Setting& setting, int32_t missing_value);
void WriteSetting(const Setting& setting, int32_t value);

}  // namespace lumenquill
