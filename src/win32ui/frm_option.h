#pragma once

#include <windows.h>

namespace lumenquill {

// The options dialog. Every check box, radio button and combo box is stored under its group
// box's name as the section and its own name as the key, so the settings file's keys are
// exactly the control names.
class TfrmOption final {
 public:
  // Shows the dialog modally: OK writes every control to the settings file, Cancel and the
  // title bar's close button write nothing.
  void Execute(HWND owner);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static void FormCreate(HWND dialog);
  // Sets every stored control of the dialog from the settings file.
  static void LoadControls(HWND dialog);
  // Writes every stored control of the dialog to the settings file, in the dialog's order.
  static void SaveControls(HWND dialog);
};

}  // namespace lumenquill
