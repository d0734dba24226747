// The display scale a window is shown at, in dots per inch: 96 is 100 %, 144
// is 150 %. The program declares itself aware of each monitor's scale, so
// whatever it draws or sizes in pixels itself it scales from its 96-DPI size.
#pragma once

#include <windows.h>

constexpr UINT kDefaultDpi = 96;

// The window's own scale where Windows tells it (Windows 10 1607 and later),
// else the screen's.
UINT WindowDpi(HWND window);
// The scale the system's stock fonts are made for.
UINT SystemDpi();
// A length of `pixels` at 96 DPI, at `dpi`, rounded to the nearest pixel.
int AtDpi(int pixels, UINT dpi);
RECT AtDpi(const RECT& at96, UINT dpi);
