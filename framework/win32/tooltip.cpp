#include "framework/win32/tooltip.h"

#include <commctrl.h>

#include "framework/win32/late_library.h"

namespace {
const char kTooltipProperty[] = "sfp.tooltip";

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
}  // namespace

void SetTooltip(HWND control, const std::string& text) {
  HWND dialog = ::GetParent(control);
  auto tooltip = static_cast<HWND>(::GetPropA(control, kTooltipProperty));
  if (tooltip == nullptr) {
    LoadCommonControls(ICC_BAR_CLASSES);
    tooltip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                nullptr, nullptr);
    if (tooltip == nullptr) return;
    ::SetPropA(control, kTooltipProperty, tooltip);
    TTTOOLINFOA tool = ToolOf(control, const_cast<char*>(text.c_str()));
    ::SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return;
  }
  TTTOOLINFOA tool = ToolOf(control, const_cast<char*>(text.c_str()));
  ::SendMessageA(tooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string TooltipText(HWND control) {
  auto tooltip = static_cast<HWND>(::GetPropA(control, kTooltipProperty));
  if (tooltip == nullptr || !::IsWindow(tooltip)) return {};
  char text[512] = {};
  TTTOOLINFOA tool = ToolOf(control, text);
  ::SendMessageA(tooltip, TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  return text;
}
