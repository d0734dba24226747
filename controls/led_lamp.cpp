#include "controls/led_lamp.h"

#include <cmath>

#include "controls/dc_selection.h"
#include "controls/palette.h"
#include "controls/plate_drawing.h"
#include "framework/win32/accessible_object.h"
#include "framework/win32/display_scale.h"

IMPLEMENT_RUNTIME_CLASS(CLedLamp, CButton)

BEGIN_MESSAGE_MAP(CLedLamp, CButton)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

std::string LampAccessibleName(ELinkState state) {
  switch (state) {
    case ELinkState::kActive: return "Active";
    case ELinkState::kNotConnected: break;
  }
  return "Not connected";
}

LRESULT CLedLamp::OnGetObject(WPARAM wParam, LPARAM lParam) {
  CAccessibleFacts facts;
  facts.m_name = LampAccessibleName(m_link);
  facts.m_role = ROLE_SYSTEM_INDICATOR;
  return AnswerGetObject(m_hWnd, wParam, lParam, facts);
}

RECT LampSquare(const RECT& item) {
  const LONG width = item.right - item.left;
  const LONG height = item.bottom - item.top;
  if (width > height) {
    const LONG left = item.left + (width - height) / 2;
    return {left, item.top, left + height, item.bottom};
  }
  const LONG top = item.top + (height - width) / 2;
  return {item.left, top, item.right, top + width};
}

int LampFaceInset(int side) { return side / 5; }

CLampArc LampShadowArc(const RECT& square) {
  const double angle = 0.7853975;  // 45 degrees
  const double r = (square.right - square.left) / 2;
  const double cosine = std::cos(angle);
  const double sine = std::sin(angle);
  const auto at = [](double v) { return static_cast<LONG>(v); };
  return {{at(square.left + r * (1 - cosine)), at(square.top + r * (1 + sine))},
          {at(square.left + r * (1 + cosine)), at(square.top + r * (1 - sine))}};
}

CLedLamp::CLedLamp(COLORREF lampColor, COLORREF bkColor)
    : m_lampColor(lampColor), m_bkColor(bkColor) {}

void CLedLamp::ShowColor(COLORREF lampColor) {
  m_lampColor = lampColor;
  if (m_hWnd != nullptr) ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CLedLamp::DrawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const int outlineWidth = AtDpi(1, WindowDpi(m_hWnd));
  FillWithColour(dc, item.rcItem, m_bkColor);
  const RECT ring = LampSquare(item.rcItem);
  {
    CDcSelection pen = UsePen(dc, outlineWidth, PanelColor(3));
    CDcSelection brush = UseBrush(dc, PanelColor(7));
    ::Ellipse(dc, ring.left, ring.top, ring.right, ring.bottom);
  }
  {
    const CLampArc shadow = LampShadowArc(ring);
    CDcSelection pen = UsePen(dc, outlineWidth, PanelColor(2));
    const int direction = ::SetArcDirection(dc, AD_COUNTERCLOCKWISE);
    ::Arc(dc, ring.left, ring.top, ring.right, ring.bottom, shadow.from.x, shadow.from.y,
          shadow.to.x, shadow.to.y);
    ::SetArcDirection(dc, direction);
  }
  const RECT face = Shrunk(ring, LampFaceInset(ring.right - ring.left));
  CDcSelection pen = UsePen(dc, outlineWidth, PanelColor(7));
  CDcSelection brush = UseBrush(dc, m_lampColor);
  ::Ellipse(dc, face.left, face.top, face.right, face.bottom);
}
