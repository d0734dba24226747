#include "controls/plate_drawing.h"

#include "controls/dc_selection.h"
#include "framework/win32/display_scale.h"

RECT Shrunk(RECT r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

POINT CaptionOrigin(const RECT& box, SIZE text) {
  const LONG width = box.right - box.left;
  const LONG height = box.bottom - box.top;
  POINT at;
  at.x = text.cx < width ? box.left + (width - text.cx) / 2 : 0;
  at.y = text.cy < height ? box.top + (height - text.cy) / 2 : 0;
  return at;
}

CSystemFontAt::CSystemFontAt(UINT dpi)
    : m_font(static_cast<HFONT>(::GetStockObject(SYSTEM_FONT))) {
  const UINT stockDpi = SystemDpi();
  if (dpi == stockDpi) return;
  LOGFONTA description = {};
  if (::GetObjectA(m_font, sizeof description, &description) == 0) return;
  description.lfHeight = ::MulDiv(description.lfHeight, static_cast<int>(dpi),
                                  static_cast<int>(stockDpi));
  description.lfWidth = ::MulDiv(description.lfWidth, static_cast<int>(dpi),
                                 static_cast<int>(stockDpi));
  if (HFONT scaled = ::CreateFontIndirectA(&description)) {
    m_font = scaled;
    m_made = true;
  }
}

CSystemFontAt::~CSystemFontAt() {
  if (m_made) ::DeleteObject(m_font);
}

void FillWithColour(HDC dc, const RECT& r, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &r, brush);
  ::DeleteObject(brush);
}

void DrawTwoColourBorder(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight,
                         UINT dpi) {
  const int width = AtDpi(2, dpi);
  {
    CDcSelection pen = UsePen(dc, width, topLeft);
    ::MoveToEx(dc, r.left, r.bottom, nullptr);
    ::LineTo(dc, r.left, r.top);
    ::LineTo(dc, r.right, r.top);
  }
  CDcSelection pen = UsePen(dc, width, bottomRight);
  ::LineTo(dc, r.right, r.bottom);
  ::LineTo(dc, r.left, r.bottom);
}

void DrawCaption(HDC dc, const RECT& box, const std::string& text, HFONT font,
                 COLORREF textColor, std::optional<COLORREF> background) {
  if (text.empty()) return;
  // Font, colours and background mode go back as they were.
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, font);
  const int length = static_cast<int>(text.size());
  SIZE extent = {};
  ::GetTextExtentPoint32A(dc, text.c_str(), length, &extent);
  const POINT at = CaptionOrigin(box, extent);
  ::SetTextColor(dc, textColor);
  if (background) {
    ::SetBkMode(dc, OPAQUE);
    ::SetBkColor(dc, *background);
  } else {
    ::SetBkMode(dc, TRANSPARENT);
  }
  ::ExtTextOutA(dc, at.x, at.y, ETO_CLIPPED, &box, text.c_str(), static_cast<UINT>(length),
                nullptr);
  ::RestoreDC(dc, saved);
}

std::string FittedResourceName(HDC dc, HFONT font, const std::string& text, int width) {
  const int saved = ::SaveDC(dc);
  ::SelectObject(dc, font);
  auto fits = [dc, width](const std::string& candidate) {
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, candidate.c_str(), static_cast<int>(candidate.size()), &extent);
    return extent.cx <= width;
  };
  std::string fitted = text;
  if (!fits(text)) {
    // From the most trailing parts kept down to the last one alone.
    const size_t firstCut = text.find("::");
    if (firstCut != std::string::npos) {
      for (size_t cut = text.find("::", firstCut + 2); cut != std::string::npos;
           cut = text.find("::", cut + 2)) {
        fitted = text.substr(0, firstCut) + "::..." + text.substr(cut);
        if (fits(fitted)) break;
      }
    }
    const size_t lastCut = text.rfind("::");
    if (!fits(fitted) && lastCut != std::string::npos) fitted = "..." + text.substr(lastCut);
    while (!fits(fitted) && fitted.size() > 3) fitted.erase(3, 1);
  }
  ::RestoreDC(dc, saved);
  return fitted;
}

void DrawFocusMark(HDC dc, const RECT& r, UINT itemState) {
  if ((itemState & ODS_FOCUS) == 0 || (itemState & ODS_NOFOCUSRECT) != 0) return;
  ::SetTextColor(dc, RGB(0, 0, 0));
  ::SetBkColor(dc, RGB(255, 255, 255));
  ::DrawFocusRect(dc, &r);
}

void RepaintNow(HWND control) {
  if (control == nullptr) return;
  ::InvalidateRect(control, nullptr, FALSE);
  ::UpdateWindow(control);
}
