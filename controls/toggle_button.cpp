#include "controls/toggle_button.h"

#include "controls/dc_selection.h"
#include "controls/palette.h"
#include "controls/plate_drawing.h"
#include "framework/win32/accessible_object.h"
#include "framework/win32/display_scale.h"

IMPLEMENT_RUNTIME_CLASS(CToggleButton, CButton)

BEGIN_MESSAGE_MAP(CToggleButton, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

bool IsPressPaint(UINT itemAction, UINT itemState) {
  return (itemAction & ODA_SELECT) != 0 && (itemState & ODS_SELECTED) != 0;
}

int OppositeState(int state) { return state == 0 ? 1 : 0; }

CToggleButton::CToggleButton() : m_faceColor(PanelColor(7)) {}

int CToggleButton::Commit() {
  m_shown = m_requested;
  RepaintNow(m_hWnd);
  return m_shown;
}

void CToggleButton::SetState(int state) {
  m_requested = m_shown = state != 0 ? 1 : 0;
  RepaintNow(m_hWnd);
}

void CToggleButton::DrawItem(const DRAWITEMSTRUCT& item) {
  if (IsPressPaint(item.itemAction, item.itemState)) m_pressPending = 1;
  if (m_pressPending != 0) {
    m_pressPending = 0;
    m_requested = OppositeState(m_shown);
  }
  HDC dc = item.hDC;
  const UINT dpi = WindowDpi(m_hWnd);
  const RECT& outline = item.rcItem;
  {
    CDcSelection pen = UsePen(dc, AtDpi(1, dpi), RGB(0, 0, 0));
    CDcSelection brush = UseBrush(dc, PanelColor(7));
    ::Rectangle(dc, outline.left, outline.top, outline.right, outline.bottom);
  }
  const RECT border = Shrunk(outline, AtDpi(2, dpi));
  const COLORREF shadow = PanelColor(2);
  const COLORREF highlight = PanelColor(3);
  if (m_shown == 1)
    DrawTwoColourBorder(dc, border, shadow, highlight, dpi);
  else
    DrawTwoColourBorder(dc, border, highlight, shadow, dpi);
  const CSystemFontAt font(dpi);
  DrawCaption(dc, Shrunk(border, AtDpi(1, dpi)), m_shown != 0 ? m_caption1 : m_caption0,
              font.Font(), RGB(0, 0, 0), m_faceColor);
  DrawFocusMark(dc, Shrunk(border, AtDpi(2, dpi)), item.itemState);
}

LRESULT CToggleButton::OnGetObject(WPARAM wParam, LPARAM lParam) {
  CAccessibleFacts facts;
  facts.m_name = LabelAndValue(m_hWnd, m_shown != 0 ? m_caption1 : m_caption0);
  facts.m_role = ROLE_SYSTEM_PUSHBUTTON;
  facts.m_state = m_shown != 0 ? STATE_SYSTEM_PRESSED : 0;
  return AnswerGetObject(m_hWnd, wParam, lParam, facts);
}

bool CToggleButton::IsInside(POINT point) const {
  RECT client;
  if (!::GetClientRect(m_hWnd, &client)) return false;
  return ::PtInRect(&client, point) != 0;
}

void CToggleButton::OnLButtonDown(UINT, POINT point) {
  if (::GetFocus() != m_hWnd) {
    m_pressPending = 1;
    RepaintNow(m_hWnd);
  }
  if (IsInside(point)) m_pressPending = 1;
  Default();
}

void CToggleButton::OnLButtonDblClk(UINT flags, POINT point) {
  if (IsInside(point)) {
    m_pressPending = 1;
    RepaintNow(m_hWnd);
    HWND panel = ::GetParent(m_hWnd);
    POINT inPanel = point;
    ::MapWindowPoints(m_hWnd, panel, &inPanel, 1);
    ::PostMessageA(panel, WM_LBUTTONDBLCLK, flags, MAKELPARAM(inPanel.x, inPanel.y));
  }
  Default();
}
