// The keyboard road through a dialog: Tab follows the screen, top to bottom
// and left to right, whatever order the template gives its controls.
#pragma once

#include <windows.h>

// Puts the dialog's controls into reading order in the Z order, which is the
// order of Tab and of the labels that name the fields for assistive tools: a
// label on the left of its field comes just before it. Frames that hold other
// controls keep their place above them; static pictures and plates are taken
// out of the Tab order.
void ArrangeInReadingOrder(HWND dialog);
// Gives the focus to the dialog's first visible, enabled tab stop.
void FocusFirstTabStop(HWND dialog);
