// The look that the text plate and the text button share: a plate colour, a
// text colour, a two-colour border (raised when the top-left colour is the
// button highlight and the bottom-right the button shadow, sunken the other
// way round) and a caption centred on the plate.
#pragma once

#include <windows.h>

#include <string>

#include "controls/plate_drawing.h"

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

 protected:
  // The border on `borderRect`, then the plate and its caption inside it.
  void PaintPlate(HDC dc, const RECT& borderRect) const {
    DrawTwoColourBorder(dc, borderRect, m_topLeftColor, m_bottomRightColor);
    const RECT plate = Shrunk(borderRect, 1);
    FillWithColour(dc, plate, m_bkColor);
    DrawCaption(dc, plate, m_caption, CaptionFont(), m_textColor);
  }

  // Stores the text and paints the plate colour and the new caption at once
  // over the client area less `inset` pixels on every side.
  void ReplaceCaption(const std::string& text, int inset) {
    m_caption = text;
    const HWND hWnd = this->m_hWnd;
    if (hWnd == nullptr) return;
    RECT client;
    ::GetClientRect(hWnd, &client);
    const RECT area = Shrunk(client, inset);
    HDC dc = ::GetDC(hWnd);
    FillWithColour(dc, area, m_bkColor);
    DrawCaption(dc, area, m_caption, CaptionFont(), m_textColor);
    ::ReleaseDC(hWnd, dc);
  }

 private:
  HFONT CaptionFont() const { return m_font != nullptr ? m_font : SystemFont(); }
};
