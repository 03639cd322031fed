#pragma once

#include <windows.h>

namespace lumenquill {

// The main window's drop area: a white panel with a border that shows the
// picture "drop PDF files here" centred, at the size the window's DPI asks for.
HWND CreateDropPanel(HWND parent);

}  // namespace lumenquill
