// The colours of every dialog box and message box of the program.
#pragma once

#include <windows.h>

// Sets the background and text colours and starts colouring the message boxes
// of this thread. Call once at start-up.
void SetDialogBkColor(COLORREF background, COLORREF text);

bool IsDialogColorRequest(UINT message);
// The dialog background brush, with the text colours set in dc, for a colour
// request of the dialog itself, a message box, a static or a button; null for
// the kinds that keep the platform's colours (edit boxes, lists, scroll bars).
HBRUSH DialogColorBrush(UINT message, HDC dc);
