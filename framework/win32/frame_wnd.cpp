#include "framework/win32/frame_wnd.h"

#include "framework/win32/wait_cursor.h"
#include "framework/win32/win_app.h"

IMPLEMENT_RUNTIME_CLASS(CFrameWnd, CWnd)

namespace {
const char kFrameClass[] = "SfpFrameWindow";

void RegisterFrameClass(HINSTANCE instance, UINT iconId) {
  WNDCLASSEXA cls = {};
  if (::GetClassInfoExA(instance, kFrameClass, &cls)) return;
  cls.cbSize = sizeof cls;
  cls.style = CS_DBLCLKS;
  cls.lpfnWndProc = &::DefWindowProcA;
  cls.hInstance = instance;
  cls.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(iconId));
  cls.hCursor = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  cls.lpszClassName = kFrameClass;
  ::RegisterClassExA(&cls);
}
}  // namespace

bool CFrameWnd::Create(const char* caption, DWORD style, const RECT& outer, UINT menuId) {
  CWinApp* app = GetApp();
  RegisterFrameClass(app->m_hInstance, app->m_iconId);
  // The class procedure is replaced by the object's once the window exists.
  HMENU menu = ::LoadMenuA(app->m_hInstance, MAKEINTRESOURCEA(menuId));
  HWND hWnd = ::CreateWindowExA(0, kFrameClass, caption, style, outer.left, outer.top,
                                outer.right - outer.left, outer.bottom - outer.top, nullptr, menu,
                                app->m_hInstance, nullptr);
  if (hWnd == nullptr) return false;
  SubclassWindow(hWnd);
  return true;
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  // While the wait cursor is up it shows over the frame and all its children.
  if (message == WM_SETCURSOR && IsWaitCursorShown()) {
    RestoreWaitCursor();
    return TRUE;
  }
  // A message box or dialog takes the focus away; it comes back to the control
  // that had it, as it does in a dialog box.
  if (message == WM_ACTIVATE) {
    if (LOWORD(wParam) == WA_INACTIVE) {
      HWND focus = ::GetFocus();
      if (focus != nullptr && ::IsChild(m_hWnd, focus)) m_hWndLastFocus = focus;
    } else if (m_hWndLastFocus != nullptr && ::IsWindow(m_hWndLastFocus) &&
               ::IsChild(m_hWnd, m_hWndLastFocus)) {
      ::SetFocus(m_hWndLastFocus);
      return 0;
    }
  }
  if (message == WM_DESTROY && GetApp()->m_pMainWnd == this) ::PostQuitMessage(0);
  return CWnd::WindowProc(message, wParam, lParam);
}
