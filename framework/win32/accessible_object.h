// What a control tells assistive tools (screen readers, through MSAA and UI
// Automation) when its window text cannot say it: an owner-drawn button that
// paints its own caption or state. The system's standard proxy of the control
// answers everything else.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <string>

struct CAccessibleFacts {
  std::string m_name;
  long m_role = 0;   // ROLE_SYSTEM_...; 0 keeps the standard proxy's role
  long m_state = 0;  // STATE_SYSTEM_... added to the standard proxy's state
};

// The answer to WM_GETOBJECT for the control's client object, or 0 (which
// lets the system answer) for any other object or when the accessibility
// library cannot be loaded.
LRESULT AnswerGetObject(HWND control, WPARAM wParam, LPARAM lParam, const CAccessibleFacts& facts);

// "Label, value", or the value alone when the control has no label.
std::string LabelAndValue(HWND control, const std::string& value);

// The text of the label that names a control: the static text just before it
// in the Z order, without its "&" marks; empty when there is none.
std::string LabelBefore(HWND control);
