// The look that the text plate and the text button share: a plate colour, a
// text colour, a two-colour border (raised when the top-left colour is the
// button highlight and the bottom-right the button shadow, sunken the other
// way round) and a caption centred on the plate.
#pragma once

#include <windows.h>

#include <string>

#include "controls/plate_drawing.h"
#include "framework/win32/display_scale.h"

template <class TControl>
class CCaptionedPlate : public TControl {
 public:
  CCaptionedPlate(COLORREF bkColor, COLORREF textColor, COLORREF topLeftColor,
                  COLORREF bottomRightColor, HFONT font)
      : m_bkColor(bkColor),
        m_textColor(textColor),
        m_topLeftColor(topLeftColor),
        m_bottomRightColor(bottomRightColor),
        m_font(font) {}

  std::string m_caption;
  COLORREF m_bkColor;
  COLORREF m_textColor;
  COLORREF m_topLeftColor;
  COLORREF m_bottomRightColor;
  HFONT m_font;  // not owned; null for the system font
  // A resource name that does not fit is drawn shortened, keeping its end.
  bool m_fitResourceName = false;

 protected:
  // The border on `borderRect`, then the plate and its caption inside it.
  void PaintPlate(HDC dc, const RECT& borderRect) const {
    const UINT dpi = WindowDpi(this->m_hWnd);
    DrawTwoColourBorder(dc, borderRect, m_topLeftColor, m_bottomRightColor, dpi);
    const RECT plate = Shrunk(borderRect, AtDpi(1, dpi));
    FillWithColour(dc, plate, m_bkColor);
    const CSystemFontAt systemFont(dpi);
    DrawCaption(dc, plate, ShownCaption(dc, plate, CaptionFont(systemFont)), CaptionFont(systemFont),
                m_textColor);
  }

  // Stores the text and paints the plate colour and the new caption at once
  // over the client area less `inset` pixels (at 96 DPI) on every side.
  void ReplaceCaption(const std::string& text, int inset) {
    m_caption = text;
    const HWND hWnd = this->m_hWnd;
    if (hWnd == nullptr) return;
    const UINT dpi = WindowDpi(hWnd);
    RECT client;
    ::GetClientRect(hWnd, &client);
    const RECT area = Shrunk(client, AtDpi(inset, dpi));
    HDC dc = ::GetDC(hWnd);
    FillWithColour(dc, area, m_bkColor);
    const CSystemFontAt systemFont(dpi);
    DrawCaption(dc, area, ShownCaption(dc, area, CaptionFont(systemFont)), CaptionFont(systemFont),
                m_textColor);
    ::ReleaseDC(hWnd, dc);
  }

 private:
  std::string ShownCaption(HDC dc, const RECT& box, HFONT font) const {
    if (!m_fitResourceName) return m_caption;
    return FittedResourceName(dc, font, m_caption, box.right - box.left);
  }
  HFONT CaptionFont(const CSystemFontAt& systemFont) const {
    return m_font != nullptr ? m_font : systemFont.Font();
  }
};
