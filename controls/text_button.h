// A push button that looks like a text plate; its clicks reach the panel as
// ordinary button clicks. Drawn over an owner-drawn button of the template.
#pragma once

#include <string>

#include "controls/captioned_plate.h"
#include "framework/win32/controls.h"

class CTextButton : public CCaptionedPlate<CButton> {
  DECLARE_RUNTIME_CLASS(CTextButton)

 public:
  using CCaptionedPlate::CCaptionedPlate;

  // Shows the text at once inside the border.
  void SetText(const std::string& text);

  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  // Named by its label and the text it shows ("Status Byte, 16").
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

  DECLARE_MESSAGE_MAP(CTextButton)
};
