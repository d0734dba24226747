// A round lamp in one fixed colour on a plain background, drawn over an
// owner-drawn button of the template. Its clicks are ordinary button clicks.
#pragma once

#include <windows.h>

#include "framework/win32/controls.h"

#include <string>

// What the lamp stands for.
enum class ELinkState { kNotConnected, kActive };

// The lamp's name for assistive tools: "Active" or "Not connected".
std::string LampAccessibleName(ELinkState state);

class CLedLamp : public CButton {
  DECLARE_RUNTIME_CLASS(CLedLamp)

 public:
  CLedLamp(COLORREF lampColor, COLORREF bkColor);

  void DrawItem(const DRAWITEMSTRUCT& item) override;
  // Lights the lamp in another colour (red: the link is down).
  void ShowColor(COLORREF lampColor);

  COLORREF m_lampColor;
  COLORREF m_bkColor;
  ELinkState m_link = ELinkState::kNotConnected;

 private:
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP(CLedLamp)
};

// The largest square centred in the rectangle.
RECT LampSquare(const RECT& item);
// How far the lamp's face lies inside the ring: 20 % of the square's side.
int LampFaceInset(int side);

// The end points of the shadow arc of the ring in `square`: it runs
// counter-clockwise from the point at 225 degrees to the point at 45 degrees,
// shading the lower right half so that the lamp looks raised.
struct CLampArc {
  POINT from;
  POINT to;
};
CLampArc LampShadowArc(const RECT& square);
