// The colours of every dialog box and message box of the program.
// SetDialogBkColor at start-up makes them, ReleaseDialogColors at the end of the run frees them.
// CDialog answers its own colour requests; a message box is coloured only inside ColoredMessageBox.
#pragma once

#include <windows.h>

void SetDialogBkColor(COLORREF background, COLORREF text);
void ReleaseDialogColors();

bool IsDialogColorRequest(UINT message);
// The dialog background brush, with the text colours set in dc, for a colour
// request of the dialog itself, a message box, a static or a button; null for
// the kinds that keep the platform's colours (edit boxes, lists, scroll bars)
// and while no colours are set.
HBRUSH DialogColorBrush(UINT message, HDC dc);

// A message box in the dialog colours, its texts UTF-8: every message box of
// the program goes through here. Window thread only; a box opened while another is open (from
// a timer or a sent message) is coloured too.
int ColoredMessageBox(HWND owner, const char* text, const char* caption, UINT type);
