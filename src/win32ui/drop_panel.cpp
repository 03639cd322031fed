#include "win32ui/drop_panel.h"

#include "win32ui/resource_ids.h"

namespace lumenquill {
namespace {

constexpr wchar_t kClassName[] = L"LumenquillDropPanel";
// The picture's size at 96 DPI; the bitmap of twice that size serves higher DPI.
constexpr int kPictureWidth = 250;
constexpr int kPictureHeight = 80;

void Paint(HWND panel) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(panel, &paint);
  const UINT dpi = GetDpiForWindow(panel);
  const int width = MulDiv(kPictureWidth, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
  const int height = MulDiv(kPictureHeight, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
  const bool large = dpi > USER_DEFAULT_SCREEN_DPI;
  const auto picture = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(large ? IDB_DROP_2X : IDB_DROP),
                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (picture != nullptr) {
    RECT client;
    GetClientRect(panel, &client);
    const HDC source = CreateCompatibleDC(dc);
    const HGDIOBJ previous = SelectObject(source, picture);
    SetStretchBltMode(dc, HALFTONE);
    StretchBlt(dc, (client.right - width) / 2, (client.bottom - height) / 2, width, height, source,
               0, 0, large ? 2 * kPictureWidth : kPictureWidth,
               large ? 2 * kPictureHeight : kPictureHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    DeleteObject(picture);
  }
  EndPaint(panel, &paint);
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_PAINT) {
    Paint(panel);
    return 0;
  }
  if (message == WM_SIZE) InvalidateRect(panel, nullptr, TRUE);  // the picture stays centred
  return DefWindowProcW(panel, message, wparam, lparam);
}

}  // namespace

HWND CreateDropPanel(HWND parent) {
  static const ATOM registered = [] {
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = PanelProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszClassName = kClassName;
    return RegisterClassExW(&window_class);
  }();
  (void)registered;
  return CreateWindowExW(0, kClassName, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 0, 0, 0,
                         parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace lumenquill
