// A two-state button with one caption per state, drawn raised for state 0 and
// pressed in for state 1, over an owner-drawn button of the template.
//
// A press only arms the opposite state (m_requested); the drawn state
// (m_shown) changes when the panel's click handler calls Commit and sends the
// state it returns. A press released away from the button changes nothing.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/win32/controls.h"

class CToggleButton : public CButton {
  DECLARE_RUNTIME_CLASS(CToggleButton)

 public:
  CToggleButton();

  // Shows the armed state at once and returns it.
  int Commit();
  // Shows `state` (a value read from the instrument) at once; any nonzero
  // value is state 1.
  void SetState(int state);

  void DrawItem(const DRAWITEMSTRUCT& item) override;

  int32_t m_requested = 0;  // the state that the next Commit shows
  int32_t m_shown = 0;      // the state drawn: the one last sent or read
  std::string m_caption0;
  std::string m_caption1;
  int32_t m_pressPending = 0;  // set by a press, consumed by the next paint
  COLORREF m_faceColor;        // background of the caption

 private:
  void OnLButtonDown(UINT flags, POINT point);
  // Forwarded to the panel, which treats it as a second click.
  void OnLButtonDblClk(UINT flags, POINT point);
  // Named by its label and the state it shows ("Load, 50 Ohms"), pressed in state 1.
  LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
  bool IsInside(POINT point) const;

  DECLARE_MESSAGE_MAP(CToggleButton)
};

// Whether an owner-draw request shows the button going down under the mouse
// (or the space bar).
bool IsPressPaint(UINT itemAction, UINT itemState);
int OppositeState(int state);
