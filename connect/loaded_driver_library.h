// The instrument driver library "tgq3207_32.dll", looked for beside the program,
// then in the VXIplug&play driver folder, then on the usual search path, and
// kept loaded while this object lives; the live instrument looks its entry points
// up through it.
#pragma once

#include <windows.h>

#include <memory>

#include "instrument/driver_library.h"

class CLoadedDriverLibrary : public CDriverLibrary {
 public:
  // Null when the library does not load or lacks one of its eighteen entry
  // points: a driver that cannot serve the program counts as no driver.
  static std::unique_ptr<CLoadedDriverLibrary> Load();

  ~CLoadedDriverLibrary() override;
  CLoadedDriverLibrary(const CLoadedDriverLibrary&) = delete;
  CLoadedDriverLibrary& operator=(const CLoadedDriverLibrary&) = delete;

  void* FindEntryPoint(const char* name) override;
  HMODULE Handle() const { return m_module; }

 private:
  explicit CLoadedDriverLibrary(HMODULE module) : m_module(module) {}

  HMODULE m_module;
};
