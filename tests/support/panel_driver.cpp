#include "tests/support/panel_driver.h"

#include "app/sfp_app.h"
#include "tests/support/app_fixture.h"

namespace {
LPARAM CentreOf(HWND control) {
  RECT r;
  ::GetClientRect(control, &r);
  return MAKELPARAM(r.right / 2, r.bottom / 2);
}

void Deliver(MSG msg) {
  if (theApp.PreTranslateMessage(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageA(&msg);
}
}  // namespace

void FocusOn(HWND dialog, int id) {
  ::SetFocus(::GetDlgItem(dialog, id));
  PumpMessages();
}

void TypeInto(HWND dialog, int id, const std::string& text) {
  ::SetWindowTextA(::GetDlgItem(dialog, id), text.c_str());
}

void PressKey(UINT vk) {
  HWND focus = ::GetFocus();
  Deliver({focus, WM_KEYDOWN, vk, 1, 0, {}});
  Deliver({focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001), 0, {}});
  PumpMessages();
}

void HoldKey(UINT vk, int repeats) {
  HWND focus = ::GetFocus();
  for (int i = 0; i < repeats; ++i)
    Deliver({focus, WM_KEYDOWN, vk, static_cast<LPARAM>(i == 0 ? 1 : 0x40000001), 0, {}});
  Deliver({focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001), 0, {}});
  PumpMessages();
}

void EnterValue(HWND dialog, int id, const std::string& text) {
  FocusOn(dialog, id);
  TypeInto(dialog, id, text);
  PressKey(VK_RETURN);
}

void Spin(HWND dialog, int spinId, UINT code) {
  ::SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, spinId)));
}

void SpinAndRelease(HWND dialog, int spinId, bool up, int times) {
  for (int i = 0; i < times; ++i) Spin(dialog, spinId, up ? SB_LINEUP : SB_LINEDOWN);
  Spin(dialog, spinId, SB_ENDSCROLL);
}

void ChooseItem(HWND dialog, int comboId, int index) {
  HWND combo = ::GetDlgItem(dialog, comboId);
  ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void OpenList(HWND dialog, int comboId) {
  ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(comboId, CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, comboId)));
}

int SelectedItem(HWND dialog, int comboId) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, comboId, CB_GETCURSEL, 0, 0));
}

std::string ItemText(HWND dialog, int comboId, int index) {
  char text[128] = "";
  ::SendDlgItemMessageA(dialog, comboId, CB_GETLBTEXT, static_cast<WPARAM>(index),
                        reinterpret_cast<LPARAM>(text));
  return text;
}

int ItemCount(HWND dialog, int comboId) {
  return static_cast<int>(::SendDlgItemMessageA(dialog, comboId, CB_GETCOUNT, 0, 0));
}

void ClickButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  LPARAM at = CentreOf(button);
  ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(button, WM_LBUTTONUP, 0, at);
  PumpMessages();
}

void DoubleClickButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  LPARAM at = CentreOf(button);
  ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(button, WM_LBUTTONUP, 0, at);
  ::SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(button, WM_LBUTTONUP, 0, at);
  PumpMessages();
}

void ClickBackground(HWND dialog, POINT point) {
  ::SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  ::SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

int FocusedId() { return ::GetDlgCtrlID(::GetFocus()); }
