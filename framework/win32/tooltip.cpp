#include "framework/win32/tooltip.h"

#include <commctrl.h>

#include <unordered_map>

#include "framework/win32/late_library.h"

namespace {
const char kTooltipProperty[] = "sfp.tooltip";       // on the control: its tooltip, once made
const char kPendingProperty[] = "sfp.tooltip.text";  // on the control: its text until then

// The dialogs watched for the mouse, with their own procedures. Kept here, not
// in a window property, because every message to the dialog looks it up.
std::unordered_map<HWND, WNDPROC> g_watched;

TTTOOLINFOA ToolOf(HWND control, char* text) {
  TTTOOLINFOA tool = {};
  tool.cbSize = TTTOOLINFOA_V2_SIZE;
  tool.uFlags = TTF_SUBCLASS;
  tool.hwnd = ::GetParent(control);
  tool.uId = static_cast<UINT_PTR>(::GetDlgCtrlID(control));
  tool.lpszText = text;
  ::GetWindowRect(control, &tool.rect);
  ::MapWindowPoints(nullptr, tool.hwnd, reinterpret_cast<POINT*>(&tool.rect), 2);
  return tool;
}

std::string* PendingText(HWND control) {
  return static_cast<std::string*>(::GetPropA(control, kPendingProperty));
}

void MakeTooltip(HWND control, const std::string& text) {
  LoadCommonControls(ICC_BAR_CLASSES);
  HWND tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   ::GetParent(control), nullptr, nullptr, nullptr);
  if (tooltip == nullptr) return;
  ::SetPropA(control, kTooltipProperty, tooltip);
  TTTOOLINFOA tool = ToolOf(control, const_cast<char*>(text.c_str()));
  ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

// A control's pending text becomes its tooltip (`make`) or is dropped.
BOOL CALLBACK SettlePending(HWND control, LPARAM make) {
  if (std::string* text = PendingText(control)) {
    if (make != 0) MakeTooltip(control, *text);
    ::RemovePropA(control, kPendingProperty);
    delete text;
  }
  return TRUE;
}

// The tooltips are made when the mouse first moves over the dialog: the
// library that draws them costs the program's start more than any other.
LRESULT CALLBACK WatchMouse(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto watched = g_watched.find(dialog);
  WNDPROC own = watched->second;
  if (message == WM_MOUSEMOVE || message == WM_NCDESTROY) {
    bool outermost = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(dialog, GWLP_WNDPROC)) == &WatchMouse;
    if (outermost) ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(own));
    if (outermost || message == WM_NCDESTROY) g_watched.erase(watched);
    ::EnumChildWindows(dialog, &SettlePending, message == WM_MOUSEMOVE);
  }
  return ::CallWindowProcA(own, dialog, message, wParam, lParam);
}
}  // namespace

void SetTooltip(HWND control, const std::string& text) {
  if (auto tooltip = static_cast<HWND>(::GetPropA(control, kTooltipProperty))) {
    TTTOOLINFOA tool = ToolOf(control, const_cast<char*>(text.c_str()));
    ::SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  if (std::string* pending = PendingText(control)) {
    *pending = text;
    return;
  }
  HWND dialog = ::GetParent(control);
  ::SetPropA(control, kPendingProperty, new std::string(text));
  if (g_watched.count(dialog) == 0)
    g_watched[dialog] = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WatchMouse)));
}

std::string TooltipText(HWND control) {
  auto tooltip = static_cast<HWND>(::GetPropA(control, kTooltipProperty));
  if (tooltip == nullptr || !::IsWindow(tooltip)) return {};
  char text[512] = {};
  TTTOOLINFOA tool = ToolOf(control, text);
  ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}
