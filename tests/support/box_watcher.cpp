#include "tests/support/box_watcher.h"

#include "framework/win32/wnd.h"

namespace {
CBoxWatcher* g_watcher = nullptr;

std::string WindowText(HWND hWnd) {
  char buffer[1024] = "";
  ::GetWindowTextA(hWnd, buffer, sizeof buffer);
  return buffer;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM found) {
  char cls[32] = "";
  ::GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
      ::SendMessageA(child, STM_GETICON, 0, 0) != 0)
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool IsSystemDialog(HWND hWnd) {
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  return lstrcmpA(cls, "#32770") == 0;
}
}  // namespace

CBoxWatcher::CBoxWatcher() : m_previous(g_watcher) {
  g_watcher = this;
  m_hook = ::SetWindowsHookExA(WH_CBT, &CBoxWatcher::Hook, nullptr, ::GetCurrentThreadId());
}

CBoxWatcher::~CBoxWatcher() {
  ::UnhookWindowsHookEx(m_hook);
  g_watcher = m_previous;
}

std::vector<std::string> CBoxWatcher::Texts() const {
  std::vector<std::string> texts;
  for (const CBoxSeen& box : m_boxes) texts.push_back(box.text);
  return texts;
}

LRESULT CALLBACK CBoxWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  CBoxWatcher* self = g_watcher;
  HWND hWnd = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && self != nullptr && IsSystemDialog(hWnd) &&
      ::GetPropA(hWnd, "SfpBoxSeen") == nullptr) {
    ::SetPropA(hWnd, "SfpBoxSeen", reinterpret_cast<HANDLE>(1));
    if (CWnd::FromHandle(hWnd) != nullptr) {
      if (self->m_onOwnDialog) self->m_onOwnDialog(hWnd);
      return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    CBoxSeen box;
    box.caption = WindowText(hWnd);
    box.text = WindowText(::GetDlgItem(hWnd, 0xFFFF));
    ::EnumChildWindows(hWnd, &FindIcon, reinterpret_cast<LPARAM>(&box.hasIcon));
    self->m_boxes.push_back(box);
    if (!(self->m_onDialog && self->m_onDialog(hWnd)))
      ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
