#include "connect/library_loading.h"

HMODULE LoadLibraryBySearchPath(const char* name) {
  // An empty DLL directory takes the current directory out of the search
  // for this and every later load, the libraries' own imports included, so
  // that a DLL planted there never runs inside the program.
  ::SetDllDirectoryA("");
  return ::LoadLibraryA(name);
}
