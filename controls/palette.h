// The panel palette shared by the application, the controls and every panel.
#pragma once

#include <windows.h>

// 0 white, 1 black, 2 button shadow, 3 button highlight, 4 dark grey, 5 grey,
// 6 light grey, 7 button face, 8 dark cyan; any other index white.
COLORREF PanelColor(int index);
