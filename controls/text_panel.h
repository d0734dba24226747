// A flat plate with a two-colour border and a centred caption, drawn over a
// static control of a panel's template: title plates, frames and read-outs.
#pragma once

#include <string>

#include "controls/captioned_plate.h"
#include "framework/win32/controls.h"

class CTextPanel : public CCaptionedPlate<CStatic> {
  DECLARE_RUNTIME_CLASS(CTextPanel)

 public:
  using CCaptionedPlate::CCaptionedPlate;

  // Shows the text at once; the border stays unless both its colours are the same.
  void SetText(const std::string& text);

 private:
  void OnPaint();

  DECLARE_MESSAGE_MAP(CTextPanel)
};

// How far inside the client area SetText repaints: a border of one colour is
// painted over with the plate, a two-colour border is kept.
int TextPanelRepaintInset(COLORREF topLeftColor, COLORREF bottomRightColor);
