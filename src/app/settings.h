#pragma once

#include <cstdint>

#include "app/settings_table.h"
#include "text/text_extractor.h"

namespace lumenquill {

// The settings file's conversion options and main-window values, read through the table of
// settings. Every value is read from the file at the moment it is needed.

// Warnings on when exactly 1 (the default).
bool ReadShowWarnings();

// The reader also opens newer files (PDF 1.5 to 2.0, cross-reference and object streams, an
// empty user password) when exactly 1; off by default.
bool ReadNewerFormats();

// The four flags LoadOptions hands to the conversion.
struct ConversionFlags {
  bool ask_page_range = false;
  bool open_in_editor = false;
  bool ask_save_path = false;
  bool confirm_overwrite = false;
};

// Reads the option keys in their fixed order, sets the page banners, line breaks, line end, text
// encoding, layout order and ruby handling of the extraction, and returns the four flags.
ConversionFlags LoadOptions(ExtractionOptions& extraction);

// The main window's values.
struct MainWindowSettings {
  int32_t left = 50;
  int32_t top = 50;
  int32_t width = kMainWindowWidth;
  int32_t height = kMainWindowHeight;
  bool maximised = false;
  bool tool_bar = false;
  bool status_bar = false;
  bool on_top = false;
};

MainWindowSettings ReadMainWindowSettings();
// Writes the keys in the order of the table.
void WriteMainWindowSettings(const MainWindowSettings& settings);

}  // namespace lumenquill
