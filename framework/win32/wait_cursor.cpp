#include "framework/win32/wait_cursor.h"

#include <windows.h>

namespace {
int g_depth = 0;
HCURSOR g_previous = nullptr;
}  // namespace

void BeginWaitCursor() {
  if (g_depth++ == 0)
    g_previous = ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}

void EndWaitCursor() {
  if (g_depth == 0) return;
  if (--g_depth == 0) {
    POINT pt;
    ::GetCursorPos(&pt);
    // Moving the cursor lets the window under it choose its own again.
    ::SetCursor(g_previous != nullptr
                    ? g_previous
                    : ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    ::SetCursorPos(pt.x, pt.y);
  }
}

bool IsWaitCursorShown() { return g_depth > 0; }
int WaitCursorDepth() { return g_depth; }

void RestoreWaitCursor() {
  if (g_depth > 0) ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
}
