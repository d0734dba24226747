#include "framework/win32/wait_cursor.h"

#include <windows.h>

namespace {
int g_depth = 0;
HCURSOR g_previous = nullptr;
POINT g_pointerAtBegin = {};

HCURSOR SystemCursor(LPCSTR id) { return ::LoadCursorA(nullptr, id); }

// Loaded once: under Wine each load asks the server and reads the registry.
HCURSOR WaitShape() {
  static const HCURSOR wait = SystemCursor(IDC_WAIT);
  return wait;
}
HCURSOR ArrowShape() {
  static const HCURSOR arrow = SystemCursor(IDC_ARROW);
  return arrow;
}
}  // namespace

void BeginWaitCursor() {
  if (g_depth++ == 0) {
    ::GetCursorPos(&g_pointerAtBegin);
    g_previous = ::SetCursor(WaitShape());
  }
}

void EndWaitCursor() {
  if (g_depth == 0) return;
  if (--g_depth == 0) {
    POINT pt;
    ::GetCursorPos(&pt);
    ::SetCursor(g_previous != nullptr ? g_previous : ArrowShape());
    // Where the pointer moved meanwhile, moving it again lets the window now
    // under it choose its own cursor.
    if (pt.x != g_pointerAtBegin.x || pt.y != g_pointerAtBegin.y) ::SetCursorPos(pt.x, pt.y);
  }
}

bool IsWaitCursorShown() { return g_depth > 0; }
int WaitCursorDepth() { return g_depth; }

void RestoreWaitCursor() {
  if (g_depth > 0) ::SetCursor(WaitShape());
}
