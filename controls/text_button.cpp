#include "controls/text_button.h"

#include "framework/win32/accessible_object.h"
#include "framework/win32/display_scale.h"

IMPLEMENT_RUNTIME_CLASS(CTextButton, CButton)

BEGIN_MESSAGE_MAP(CTextButton, CButton)
ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

namespace {
// The border runs one pixel inside the button's rectangle.
constexpr int kBorderInset = 1;
}  // namespace

void CTextButton::SetText(const std::string& text) { ReplaceCaption(text, kBorderInset + 1); }

void CTextButton::DrawItem(const DRAWITEMSTRUCT& item) {
  const UINT dpi = WindowDpi(m_hWnd);
  PaintPlate(item.hDC, Shrunk(item.rcItem, AtDpi(kBorderInset, dpi)));
  DrawFocusMark(item.hDC, Shrunk(item.rcItem, AtDpi(kBorderInset + 2, dpi)), item.itemState);
}

LRESULT CTextButton::OnGetObject(WPARAM wParam, LPARAM lParam) {
  CAccessibleFacts facts;
  facts.m_name = LabelAndValue(m_hWnd, m_caption);
  return AnswerGetObject(m_hWnd, wParam, lParam, facts);
}
