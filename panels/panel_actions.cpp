#include "panels/panel_actions.h"

#include <climits>
#include <sstream>
#include <vector>

#include "panels/guarded_call.h"

namespace {

std::string TextOf(HWND window) {
  char text[128] = "";
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[32] = "";
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

bool IsPushButton(HWND control) {
  LONG type = ::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiA(ClassOf(control).c_str(), "Button") == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

struct CLabelSearch {
  RECT m_control;
  HWND m_best = nullptr;
  LONG m_bestGap = LONG_MAX;
};

BOOL CALLBACK ConsiderLabel(HWND child, LPARAM context) {
  auto& search = *reinterpret_cast<CLabelSearch*>(context);
  if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0 || TextOf(child).empty()) return TRUE;
  RECT label;
  ::GetWindowRect(child, &label);
  LONG middle = (search.m_control.top + search.m_control.bottom) / 2;
  LONG gap = search.m_control.left - label.right;
  if (label.top <= middle && label.bottom >= middle && gap >= 0 && gap < search.m_bestGap) {
    search.m_best = child;
    search.m_bestGap = gap;
  }
  return TRUE;
}

std::string Verb(bool altRead, const char* verb) { return altRead ? "Alt read" : verb; }

}  // namespace

std::string PanelShortName(const std::string& panelName) {
  std::istringstream words(panelName);
  std::vector<std::string> kept;
  for (std::string word; words >> word;)
    if (word != "Panel") kept.push_back(word);
  if (kept.size() == 1) return kept[0];
  std::string initials;
  for (const std::string& word : kept) initials += word[0];
  return initials;
}

std::string ControlLabel(HWND dialog, HWND control) {
  if (control == nullptr) return {};
  if (IsPushButton(control)) return TextOf(control);
  CLabelSearch search;
  ::GetWindowRect(control, &search.m_control);
  ::EnumChildWindows(dialog, &ConsiderLabel, reinterpret_cast<LPARAM>(&search));
  return search.m_best != nullptr ? TextOf(search.m_best) : std::string();
}

std::string CPanelActions::Of(HWND dialog, const std::string& panelName, UINT message, WPARAM wParam,
                              LPARAM lParam) {
  std::string what;
  HWND control = reinterpret_cast<HWND>(lParam);
  if (message == WM_VSCROLL) {
    switch (LOWORD(wParam)) {
      case SB_LINEUP: m_lastArrow = "arrow up"; break;
      case SB_LINEDOWN: m_lastArrow = "arrow down"; break;
      default: break;
    }
    what = m_lastArrow;
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK && control == nullptr) {
    control = ::GetFocus();
    what = "Enter";
  } else if (message == WM_COMMAND && control != nullptr) {
    switch (HIWORD(wParam)) {
      case BN_CLICKED:
        if (IsPushButton(control)) return PanelShortName(panelName) + ": " + TextOf(control);
        what = Verb(AltKeyHeld(), "click");
        break;
      case CBN_SELCHANGE: what = Verb(AltKeyHeld(), "choice"); break;
      case CBN_DROPDOWN: what = Verb(AltKeyHeld(), "list opened"); break;
      case EN_SETFOCUS: what = Verb(AltKeyHeld(), "focus"); break;
      default: return {};
    }
  } else {
    return {};
  }
  return PanelShortName(panelName) + ": " + ControlLabel(dialog, control) + " " + what;
}
