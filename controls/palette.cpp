#include "controls/palette.h"

namespace {
COLORREF StockColor(int brush) {
  LOGBRUSH lb = {};
  ::GetObjectA(::GetStockObject(brush), sizeof lb, &lb);
  return lb.lbColor;
}
}  // namespace

COLORREF PanelColor(int index) {
  switch (index) {
    case 0: return StockColor(WHITE_BRUSH);
    case 1: return StockColor(BLACK_BRUSH);
    case 2: return ::GetSysColor(COLOR_BTNSHADOW);
    case 3: return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    case 4: return StockColor(DKGRAY_BRUSH);
    case 5: return StockColor(GRAY_BRUSH);
    case 6: return StockColor(LTGRAY_BRUSH);
    case 7: return ::GetSysColor(COLOR_BTNFACE);
    case 8: return RGB(0, 128, 128);
    default: return RGB(255, 255, 255);
  }
}
