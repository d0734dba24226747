#include "framework/win32/clipboard.h"

#include <cstring>

bool CopyTextToClipboard(HWND owner, const std::string& text) {
  if (!::OpenClipboard(owner)) return false;
  ::EmptyClipboard();
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  bool copied = false;
  if (memory != nullptr) {
    std::memcpy(::GlobalLock(memory), text.c_str(), text.size() + 1);
    ::GlobalUnlock(memory);
    copied = ::SetClipboardData(CF_TEXT, memory) != nullptr;
    if (!copied) ::GlobalFree(memory);
  }
  ::CloseClipboard();
  return copied;
}

std::string ClipboardText(HWND owner) {
  std::string text;
  if (!::OpenClipboard(owner)) return text;
  if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(::GlobalLock(data))) text = chars;
    ::GlobalUnlock(data);
  }
  ::CloseClipboard();
  return text;
}
