#include "controls/text_panel.h"

IMPLEMENT_RUNTIME_CLASS(CTextPanel, CStatic)

BEGIN_MESSAGE_MAP(CTextPanel, CStatic)
ON_WM_PAINT()
END_MESSAGE_MAP()

int TextPanelRepaintInset(COLORREF topLeftColor, COLORREF bottomRightColor) {
  return topLeftColor != bottomRightColor ? 1 : 0;
}

void CTextPanel::SetText(const std::string& text) {
  ReplaceCaption(text, TextPanelRepaintInset(m_topLeftColor, m_bottomRightColor));
}

void CTextPanel::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = ::BeginPaint(m_hWnd, &paint);
  RECT client;
  ::GetClientRect(m_hWnd, &client);
  PaintPlate(dc, client);
  ::EndPaint(m_hWnd, &paint);
}
