#include "controls/text_button.h"

#include "framework/win32/display_scale.h"

IMPLEMENT_RUNTIME_CLASS(CTextButton, CButton)

namespace {
// The border runs one pixel inside the button's rectangle.
constexpr int kBorderInset = 1;
}  // namespace

void CTextButton::SetText(const std::string& text) { ReplaceCaption(text, kBorderInset + 1); }

void CTextButton::DrawItem(const DRAWITEMSTRUCT& item) {
  PaintPlate(item.hDC, Shrunk(item.rcItem, AtDpi(kBorderInset, WindowDpi(m_hWnd))));
}
