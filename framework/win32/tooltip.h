// A tooltip that shows a text in full over a control that may show it cut.
#pragma once

#include <windows.h>

#include <string>

// Shows `text` while the mouse rests over `control`. The tooltip is watched
// through the control's dialog, which gets the mouse over a static control;
// it is made when the mouse first moves over the dialog and goes with the
// dialog. Setting it again replaces the text.
void SetTooltip(HWND control, const std::string& text);
// The text the tooltip of `control` shows ("" for none, or not made yet).
std::string TooltipText(HWND control);
