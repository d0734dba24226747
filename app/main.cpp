// The program's entry point.
#include <windows.h>

#include "app/sfp_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  theApp.Startup(instance, commandLine);
  if (!theApp.InitInstance()) return 0;
  return theApp.Run();
}
