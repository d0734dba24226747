// The baseline of the start-up figures: a modal dialog from a template, shown
// and closed, with no work of its own.
#include <windows.h>

namespace {
INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    ::EndDialog(dialog, LOWORD(wParam));
    return TRUE;
  }
  if (message == WM_CLOSE) {
    ::EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  ::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, DialogProc, 0);
  return 0;
}
