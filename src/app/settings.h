#pragma once

#include <cstdint>

#include "text/pdf_text_decoder.h"

namespace lumenquill {

// The settings file's conversion options and main-window keys. Every value is read from the
// file at the moment it is needed.

// GroupBox3/CheckBox8: warnings on when exactly 1 (the default).
bool ReadShowWarnings();

// GroupBox4/CheckBox9: the reader also opens newer files (PDF 1.5 to 2.0, cross-reference and
// object streams, an empty user password) when exactly 1; off by default.
bool ReadNewerFormats();

// The four flags LoadOptions hands to the conversion.
struct ConversionFlags {
  bool PageRange = false;
  bool OpenInEditor = false;
  bool AskSavePath = false;
  bool ConfirmOverwrite = false;
};

// Reads the option keys in their fixed order, sets the decoder's page banner, line-break mode
// and newline code, and returns the four flags.
ConversionFlags LoadOptions(TPDFTextDecoder& decoder);

// The main window's size as designed: its size until one is saved, and the smallest it takes.
inline constexpr int32_t kMainWindowWidth = 295;
inline constexpr int32_t kMainWindowHeight = 180;

// The "frmMain" section.
struct MainWindowSettings {
  int32_t Left = 50;
  int32_t Top = 50;
  int32_t Width = kMainWindowWidth;
  int32_t Height = kMainWindowHeight;
  bool Zoom = false;       // maximised
  bool ToolBar = false;    // N10
  bool StatusBar = false;  // N11
  bool OnTop = false;      // N12
};

MainWindowSettings ReadMainWindowSettings();
// Writes the keys in the order Zoom, Left, Top, Width, height, N10, N11, N12.
void WriteMainWindowSettings(const MainWindowSettings& settings);

}  // namespace lumenquill
