#include "controls/dc_selection.h"

CDcSelection::CDcSelection(HDC dc, HGDIOBJ madeForTheScope)
    : m_dc(dc), m_object(madeForTheScope), m_previous(::SelectObject(dc, madeForTheScope)) {}

CDcSelection::~CDcSelection() {
  ::SelectObject(m_dc, m_previous);
  ::DeleteObject(m_object);
}

CDcSelection UsePen(HDC dc, int width, COLORREF colour) {
  return CDcSelection(dc, ::CreatePen(PS_SOLID, width, colour));
}

CDcSelection UseBrush(HDC dc, COLORREF colour) {
  return CDcSelection(dc, ::CreateSolidBrush(colour));
}
