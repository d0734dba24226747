// A dialog laid out at any display scale in exact proportion to its layout at
// 96 DPI. The dialog manager places a template's controls in dialog units,
// which follow the measured size of the dialog's font, and a font of 8 points
// does not measure exactly 1.5 times as wide at 150 %: left to the dialog
// manager, a panel at 150 % is some 5 % narrower than its 100 % layout times
// 1.5, and the pictures and plates drawn to scale no longer fit it.
#pragma once

#include <windows.h>

#include <vector>

// The dialog units' size in pixels of a dialog in `font`, by the dialog
// manager's rule: the average width of the 52 letters and the font's height.
SIZE FontBaseUnits(HFONT font);

// The client size that a dialog made from template `templateId` has once laid
// out in proportion at `dpi`, read from the template before the dialog exists.
SIZE ProportionalClientSize(UINT templateId, UINT dpi);

class CProportionalLayout {
 public:
  // Reads the template's layout, in dialog units, from the dialog and its
  // controls as the dialog manager has just placed them.
  void Capture(HWND dialog);
  // Places the dialog and its controls at `dpi`, each at its 96-DPI rectangle
  // times dpi / 96. Captured at 96 DPI, the dialog manager's layout is the
  // 96-DPI one, and Apply(96) keeps it to the pixel.
  void Apply(UINT dpi) const;

 private:
  struct CItem {
    HWND window;
    RECT units;  // left, top, width and height in dialog units
  };
  HWND m_dialog = nullptr;
  SIZE m_size = {};      // the dialog's client size in dialog units
  SIZE m_base96 = {};    // the dialog units' size at 96 DPI
  std::vector<CItem> m_items;
};
