#pragma once

#include <windows.h>

namespace lumenquill {

// The options dialog: a control for each setting of the options in the table of settings, read
// from the settings file when shown and written to it, in the table's order, on OK.
class OptionsDialog final {
 public:
  // Shows the dialog modally: OK writes every control to the settings file, Cancel and the
  // title bar's close button write nothing.
  void Execute(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // The states before anything is read: the line ends listed, none selected; the encodings
  // listed, Shift-JIS selected; the ruby choices listed, leaving it out selected; and each
  // check as its setting's fallback.
  static void SetInitialStates(HWND dialog);
  // A flag other than 0 or 1, or an index that names no item, leaves the control as it is; a
  // missing index selects the setting's fallback item.
  static void LoadControls(HWND dialog);
  static void SaveControls(HWND dialog);
};

}  // namespace lumenquill
