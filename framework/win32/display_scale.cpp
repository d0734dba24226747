#include "framework/win32/display_scale.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Found at run time, so that the program still starts on Windows 7 and 8.
GetDpiForWindowFn GetDpiForWindowEntry() {
  static const GetDpiForWindowFn entry = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
  return entry;
}

UINT ScreenDpi(HWND window) {
  HDC dc = ::GetDC(window);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
  ::ReleaseDC(window, dc);
  return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}
}  // namespace

UINT WindowDpi(HWND window) {
  if (GetDpiForWindowFn entry = GetDpiForWindowEntry()) {
    if (const UINT dpi = entry(window)) return dpi;
  }
  return ScreenDpi(window);
}

UINT SystemDpi() { return ScreenDpi(nullptr); }

int AtDpi(int pixels, UINT dpi) { return ::MulDiv(pixels, static_cast<int>(dpi), kDefaultDpi); }

RECT AtDpi(const RECT& at96, UINT dpi) {
  return {AtDpi(at96.left, dpi), AtDpi(at96.top, dpi), AtDpi(at96.right, dpi),
          AtDpi(at96.bottom, dpi)};
}
