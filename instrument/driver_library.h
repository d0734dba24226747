// The loaded instrument driver library as the instrument layer sees it: entry
// points looked up by name. The application implements it over the loaded DLL;
// tests implement it over tables of their own functions.
#pragma once

class CDriverLibrary {
 public:
  virtual ~CDriverLibrary() = default;
  // The entry point of that name, or null when the library lacks it.
  virtual void* FindEntryPoint(const char* name) = 0;
};
