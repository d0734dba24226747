// The top-level frame window with a menu.
#pragma once

#include "framework/win32/wnd.h"

class CFrameWnd : public CWnd {
  DECLARE_RUNTIME_CLASS(CFrameWnd)

 public:
  // Creates the window hidden, at the given outer size and position.
  bool Create(const char* caption, DWORD style, const RECT& outer, UINT menuId);

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  HWND m_hWndLastFocus = nullptr;
};
