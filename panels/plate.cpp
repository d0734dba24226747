#include "panels/plate.h"

#include <utility>

#include "controls/palette.h"
#include "controls/text_panel.h"

// Every plate is built with the shadow colour top-left and the highlight
// bottom-right (sunken); the raised ones swap the two.
std::unique_ptr<CTextPanel> AttachPlate(CWnd* dialog, int id, COLORREF plateColor, bool raised) {
  auto plate = std::make_unique<CTextPanel>(plateColor, PanelColor(1), PanelColor(2),
                                            PanelColor(3), nullptr);
  if (raised) std::swap(plate->m_topLeftColor, plate->m_bottomRightColor);
  plate->SubclassDlgItem(static_cast<UINT>(id), dialog);
  return plate;
}
