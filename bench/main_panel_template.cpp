// The baseline of the start-up figures: the Main panel's dialog template shown
// in a top-level window, with no work of its own.
#include "bench/panel_template.h"

namespace {
INT_PTR CALLBACK DialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (ShowMainPanelTemplate(instance, DialogProc) == nullptr) return 1;
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return 0;
}
