// The drawing that the panel controls share: rectangles, the two-colour plate
// border and the centred caption. Each call makes and releases its own pens
// and brushes. Lengths in pixels are given at 96 DPI and drawn at the `dpi`
// of the control's window.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The rectangle moved inwards by `by` pixels on every side.
RECT Shrunk(RECT r, int by);
// Where a caption of the given extent starts in `box`: centred by integer
// halves of the spare room; on an axis where it does not fit, at 0.
POINT CaptionOrigin(const RECT& box, SIZE text);

// The system font at `dpi`: the stock font at the scale it is made for, else
// a font of the same face made for this paint and deleted after it.
class CSystemFontAt {
 public:
  explicit CSystemFontAt(UINT dpi);
  ~CSystemFontAt();
  CSystemFontAt(const CSystemFontAt&) = delete;
  CSystemFontAt& operator=(const CSystemFontAt&) = delete;
  HFONT Font() const { return m_font; }

 private:
  HFONT m_font;
  bool m_made = false;
};

void FillWithColour(HDC dc, const RECT& r, COLORREF colour);
// 2-pixel lines from the bottom-left corner up to the top-left and across to
// the top-right in `topLeft`, then on down to the bottom-right and back to the
// bottom-left in `bottomRight`.
void DrawTwoColourBorder(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight,
                         UINT dpi);
// The caption centred in `box` and clipped to it; transparent, or on
// `background` when one is given. An empty caption draws nothing.
void DrawCaption(HDC dc, const RECT& box, const std::string& text, HFONT font,
                 COLORREF textColor, std::optional<COLORREF> background = std::nullopt);

// A resource name shortened to `width` pixels in `font`, keeping the end that
// tells instruments apart: its first part and as many of its last "::" parts
// as fit, joined by "::...::" ("TCPIP0::...::5025::SOCKET"), else "..." and
// the end of the last part. A name that fits comes back whole.
std::string FittedResourceName(HDC dc, HFONT font, const std::string& text, int width);

// The dotted focus rectangle of an owner-drawn button, drawn only while the
// button has the focus and the keyboard cues are not hidden.
void DrawFocusMark(HDC dc, const RECT& r, UINT itemState);

// Paints the control again before returning (nothing while it has no window).
void RepaintNow(HWND control);
