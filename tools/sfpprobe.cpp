// sfpprobe: looks at and closes the program's windows from outside, as an
// operator's desktop would. Used by the run script and the end-to-end tests.
//   sfpprobe wait-window CAPTION MS   waits until a top-level window has that caption
//   sfpprobe window-rect CAPTION      prints its outer rectangle as WxH+X+Y
//   sfpprobe close CAPTION [MS]       asks it to close and waits until it has gone
//   sfpprobe command CAPTION ID       sends it the menu command ID and waits until it is handled
//   sfpprobe text CAPTION             prints the texts of its child windows, one a line
//                                     (the message of a message box, the labels of a dialog)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
HWND FindTopLevel(const char* caption) { return ::FindWindowA(nullptr, caption); }

HWND WaitFor(const char* caption, DWORD ms) {
  DWORD start = ::GetTickCount();
  for (;;) {
    if (HWND hWnd = FindTopLevel(caption)) return hWnd;
    if (::GetTickCount() - start > ms) return nullptr;
    ::Sleep(50);
  }
}

BOOL CALLBACK PrintChildText(HWND child, LPARAM) {
  char text[1024] = "";
  if (::GetWindowTextA(child, text, sizeof text) > 0) std::printf("%s\n", text);
  return TRUE;
}

int Usage() {
  std::fprintf(stderr,
               "usage: sfpprobe wait-window|window-rect|close|command|text CAPTION [MS|ID]\n");
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  // Rectangles in the screen's own pixels at any display scale: a process that
  // declares no awareness is given them scaled to 96 DPI.
  ::SetProcessDPIAware();
  if (argc < 3) return Usage();
  const char* verb = argv[1];
  const char* caption = argv[2];
  DWORD ms = argc > 3 ? static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)) : 10000;
  if (std::strcmp(verb, "wait-window") == 0) {
    HWND hWnd = WaitFor(caption, ms);
    if (hWnd == nullptr) return 1;
    std::printf("%p\n", static_cast<void*>(hWnd));
    return 0;
  }
  HWND hWnd = FindTopLevel(caption);
  if (hWnd == nullptr) {
    std::fprintf(stderr, "sfpprobe: no window \"%s\"\n", caption);
    return 1;
  }
  if (std::strcmp(verb, "window-rect") == 0) {
    RECT r;
    ::GetWindowRect(hWnd, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return 0;
  }
  if (std::strcmp(verb, "text") == 0) {
    ::EnumChildWindows(hWnd, PrintChildText, 0);
    return 0;
  }
  if (std::strcmp(verb, "command") == 0) {
    if (argc < 4) return Usage();
    ::SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(ms, 0), 0);
    return 0;
  }
  if (std::strcmp(verb, "close") == 0) {
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    DWORD start = ::GetTickCount();
    while (::IsWindow(hWnd)) {
      if (::GetTickCount() - start > ms) return 1;
      ::Sleep(50);
    }
    return 0;
  }
  return Usage();
}
