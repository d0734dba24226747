// The plates of the panels: a CTextPanel in the panel colours attached to a
// frame static of the template, sunken or raised.
#pragma once

#include <windows.h>

#include <memory>

class CTextPanel;
class CWnd;

std::unique_ptr<CTextPanel> AttachPlate(CWnd* dialog, int id, COLORREF plateColor, bool raised);
