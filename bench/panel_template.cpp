#include "bench/panel_template.h"

#include "res/resource.h"

const char kPanelTemplateCaption[] = "Main Panel Template";

namespace {
const char kWindowClass[] = "SfpPanelTemplateHost";

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ::PostQuitMessage(0);
  return ::DefWindowProcA(window, message, wParam, lParam);
}
}  // namespace

HWND ShowMainPanelTemplate(HINSTANCE instance, DLGPROC dialogProc) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = HostProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  ::RegisterClassA(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  HWND host = ::CreateWindowA(kWindowClass, kPanelTemplateCaption, style, CW_USEDEFAULT,
                              CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance, nullptr);
  HWND dialog = host == nullptr ? nullptr
                                : ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN_PANEL),
                                                       host, dialogProc, 0);
  if (dialog == nullptr) return nullptr;
  RECT size;
  ::GetWindowRect(dialog, &size);
  ::OffsetRect(&size, -size.left, -size.top);
  ::AdjustWindowRect(&size, style, FALSE);
  ::SetWindowPos(host, nullptr, 0, 0, size.right - size.left, size.bottom - size.top,
                 SWP_NOMOVE | SWP_NOZORDER);
  ::ShowWindow(host, SW_SHOW);
  ::UpdateWindow(host);
  return dialog;
}
