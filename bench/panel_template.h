// The floor that Wine sets for the program's windows: the Main panel's own
// dialog template, with its controls and none of the program's logic, in a
// plain top-level window. Both speed baselines are built on it.
#pragma once

#include <windows.h>

extern const char kPanelTemplateCaption[];

// The top-level window shown with the template's dialog in it; `dialogProc`
// serves the dialog. Returns the dialog, or null.
HWND ShowMainPanelTemplate(HINSTANCE instance, DLGPROC dialogProc);
