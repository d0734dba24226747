// The program's entry point.
#include <windows.h>

#include "app/command_line.h"
#include "app/sfp_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  theApp.Startup(instance, commandLine);
  theApp.TakeStationOptions(ArgumentsOf(::GetCommandLineW()));
  if (!theApp.InitInstance()) return 0;
  return theApp.Run();
}
