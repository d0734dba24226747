// Loading a library by its bare name, as VISA32.DLL and the driver library
// are: the program's folder, the system folders and PATH are searched, the
// current directory is not.
#pragma once

#include <windows.h>

// Null when the library does not load.
HMODULE LoadLibraryBySearchPath(const char* name);
