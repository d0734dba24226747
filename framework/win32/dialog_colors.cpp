#include "framework/win32/dialog_colors.h"

#include <cstring>

#include "framework/win32/wide_text.h"
#include "framework/win32/wnd.h"

namespace {
COLORREF g_background = RGB(192, 192, 192);
COLORREF g_text = RGB(0, 0, 0);
HBRUSH g_brush = nullptr;
const char kOriginalProcProperty[] = "SfpColorOriginalProc";

// Message boxes are dialogs of the system's own; they get the colours through
// a subclass installed when they are created. A dialog of the program's own
// made meanwhile (by a timer tick, say) answers for itself.
LRESULT CALLBACK MessageBoxColorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto original = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kOriginalProcProperty));
  if (IsDialogColorRequest(message) && CWnd::FromHandle(hWnd) == nullptr) {
    if (HBRUSH brush = DialogColorBrush(message, reinterpret_cast<HDC>(wParam)))
      return reinterpret_cast<LRESULT>(brush);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    ::RemovePropA(hWnd, kOriginalProcProperty);
  }
  return ::CallWindowProcA(original, hWnd, message, wParam, lParam);
}

bool IsDialogClass(const char* cls) {
  // The dialog class is the atom 32770.
  return IS_INTRESOURCE(cls) ? reinterpret_cast<ULONG_PTR>(cls) == 32770
                             : std::strcmp(cls, "#32770") == 0;
}

// While it lives, every dialog created on the thread is subclassed with
// MessageBoxColorProc. Counted, so that nested boxes share one hook that goes
// with the outermost.
class CMessageBoxColoring {
 public:
  CMessageBoxColoring() {
    if (s_depth++ == 0)
      s_hook = ::SetWindowsHookExA(WH_CBT, &CreationHook, nullptr, ::GetCurrentThreadId());
  }
  ~CMessageBoxColoring() {
    if (--s_depth == 0 && s_hook != nullptr) {
      ::UnhookWindowsHookEx(s_hook);
      s_hook = nullptr;
    }
  }
  CMessageBoxColoring(const CMessageBoxColoring&) = delete;
  CMessageBoxColoring& operator=(const CMessageBoxColoring&) = delete;

 private:
  static LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND &&
        IsDialogClass(reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass)) {
      HWND hWnd = reinterpret_cast<HWND>(wParam);
      LONG_PTR original = ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC,
                                              reinterpret_cast<LONG_PTR>(&MessageBoxColorProc));
      ::SetPropA(hWnd, kOriginalProcProperty, reinterpret_cast<HANDLE>(original));
    }
    return ::CallNextHookEx(s_hook, code, wParam, lParam);
  }

  static int s_depth;
  static HHOOK s_hook;
};
int CMessageBoxColoring::s_depth = 0;
HHOOK CMessageBoxColoring::s_hook = nullptr;
}  // namespace

void SetDialogBkColor(COLORREF background, COLORREF text) {
  ReleaseDialogColors();
  g_background = background;
  g_text = text;
  g_brush = ::CreateSolidBrush(background);
}

void ReleaseDialogColors() {
  if (g_brush != nullptr) ::DeleteObject(g_brush);
  g_brush = nullptr;
}

bool IsDialogColorRequest(UINT message) {
  return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

HBRUSH DialogColorBrush(UINT message, HDC dc) {
  if (g_brush == nullptr) return nullptr;
  switch (message) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX:
      return g_brush;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      ::SetBkColor(dc, g_background);
      ::SetTextColor(dc, g_text);
      return g_brush;
    default:
      return nullptr;
  }
}

int ColoredMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  CMessageBoxColoring coloring;
  return ::MessageBoxW(owner, Widened(text).c_str(), Widened(caption).c_str(), type);
}
