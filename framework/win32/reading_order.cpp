#include "framework/win32/reading_order.h"

#include <algorithm>
#include <vector>

namespace {
struct CChild {
  HWND m_hwnd;
  RECT m_rect;
};

bool Holds(const RECT& outer, const RECT& inner) {
  return !::EqualRect(&outer, &inner) && inner.left >= outer.left && inner.top >= outer.top &&
         inner.right <= outer.right && inner.bottom <= outer.bottom;
}

bool IsStatic(HWND control) {
  char name[16] = {};
  ::GetClassNameA(control, name, sizeof name);
  return ::lstrcmpiA(name, "Static") == 0;
}

std::vector<CChild> Children(HWND dialog) {
  std::vector<CChild> children;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    children.push_back({child, rect});
  }
  return children;
}

// A row starts with its topmost control; a control whose middle lies above
// that control's bottom edge belongs to the same row.
std::vector<CChild> InReadingOrder(std::vector<CChild> controls) {
  std::stable_sort(controls.begin(), controls.end(),
                   [](const CChild& a, const CChild& b) { return a.m_rect.top < b.m_rect.top; });
  std::vector<CChild> ordered;
  auto rowStart = controls.begin();
  while (rowStart != controls.end()) {
    const LONG rowBottom = rowStart->m_rect.bottom;
    auto rowEnd = std::find_if(rowStart, controls.end(), [rowBottom](const CChild& c) {
      return (c.m_rect.top + c.m_rect.bottom) / 2 >= rowBottom;
    });
    std::stable_sort(rowStart, rowEnd, [](const CChild& a, const CChild& b) {
      return a.m_rect.left < b.m_rect.left;
    });
    ordered.insert(ordered.end(), rowStart, rowEnd);
    rowStart = rowEnd;
  }
  return ordered;
}
}  // namespace

void ArrangeInReadingOrder(HWND dialog) {
  const std::vector<CChild> children = Children(dialog);
  std::vector<CChild> placed;
  for (const CChild& child : children) {
    if (IsStatic(child.m_hwnd)) {
      LONG_PTR style = ::GetWindowLongPtrA(child.m_hwnd, GWL_STYLE);
      ::SetWindowLongPtrA(child.m_hwnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
    bool holdsOthers = std::any_of(children.begin(), children.end(), [&child](const CChild& c) {
      return Holds(child.m_rect, c.m_rect);
    });
    if (!holdsOthers) placed.push_back(child);
  }
  for (const CChild& child : InReadingOrder(std::move(placed)))
    ::SetWindowPos(child.m_hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void FocusFirstTabStop(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    if ((style & WS_TABSTOP) != 0 && (style & WS_VISIBLE) != 0 && (style & WS_DISABLED) == 0) {
      ::SetFocus(child);
      return;
    }
  }
}
