#include "framework/win32/window_placement.h"

#include <algorithm>

namespace {
LONG Width(const RECT& r) { return r.right - r.left; }
LONG Height(const RECT& r) { return r.bottom - r.top; }

// `start` moved as little as needed to keep a length `size` inside [low, high).
LONG Within(LONG start, LONG size, LONG low, LONG high) {
  return std::max(low, std::min(start, high - size));
}
}  // namespace

RECT PlaceBeside(const RECT& owner, SIZE wanted, SIZE minimum, const RECT& workArea) {
  const RECT right = {owner.right, workArea.top, workArea.right, workArea.bottom};
  const RECT left = {workArea.left, workArea.top, owner.left, workArea.bottom};
  const RECT below = {workArea.left, owner.bottom, workArea.right, workArea.bottom};
  const RECT above = {workArea.left, workArea.top, workArea.right, owner.top};
  for (const RECT* room : {&right, &left, &below, &above}) {
    if (Width(*room) < minimum.cx || Height(*room) < minimum.cy) continue;
    const LONG width = std::min<LONG>(wanted.cx, Width(*room));
    const LONG height = std::min<LONG>(wanted.cy, Height(*room));
    const LONG x = room == &right  ? owner.right
                   : room == &left ? owner.left - width
                                   : Within(owner.left, width, room->left, room->right);
    const LONG y = room == &below   ? owner.bottom
                   : room == &above ? owner.top - height
                                    : Within(owner.top, height, room->top, room->bottom);
    return {x, y, x + width, y + height};
  }
  const LONG x = Within(owner.left, minimum.cx, workArea.left, workArea.right);
  return {x, workArea.bottom - minimum.cy, x + minimum.cx, workArea.bottom};
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info = {};
  info.cbSize = sizeof info;
  ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
  return info.rcWork;
}
