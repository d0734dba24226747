// Text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

// Puts `text` on the clipboard as CF_TEXT; false when the clipboard is busy.
bool CopyTextToClipboard(HWND owner, const std::string& text);
// The clipboard's CF_TEXT ("" when it holds none).
std::string ClipboardText(HWND owner);
