#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace lumenquill {

// The common file dialogs of the program, with the side bar of places.

// The open dialog of the main window: PDF files, several at once. The chosen files in the
// dialog's order; nothing when the user cancels.
std::optional<std::vector<std::string>> ChoosePdfFiles(HWND owner);

// The save dialog of the conversions: text files, ".txt" by default, asking before an existing
// file is chosen. It opens in the folder of `proposed_path` and proposes its name (the PDF's
// path without its extension). The chosen path; nothing when the user cancels.
std::optional<std::string> ChooseTextFilePath(HWND owner, const std::string& proposed_path);

}  // namespace lumenquill
