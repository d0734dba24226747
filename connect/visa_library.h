// VISA32.DLL, loaded by name at run time with the entry points that discovery
// uses looked up by name.
#pragma once

#include <windows.h>

#include "visa.h"

struct CVisaEntryPoints {
  decltype(&viOpenDefaultRM) openDefaultRM = nullptr;
  decltype(&viFindRsrc) findRsrc = nullptr;
  decltype(&viFindNext) findNext = nullptr;
  decltype(&viOpen) open = nullptr;
  decltype(&viGetAttribute) getAttribute = nullptr;
  decltype(&viWrite) write = nullptr;
  decltype(&viRead) read = nullptr;
  decltype(&viClose) close = nullptr;
  decltype(&viFlush) flush = nullptr;
};

class CVisaLibrary {
 public:
  CVisaLibrary() = default;
  ~CVisaLibrary();
  CVisaLibrary(const CVisaLibrary&) = delete;
  CVisaLibrary& operator=(const CVisaLibrary&) = delete;

  // False when the library does not load or lacks an entry point that discovery
  // calls: a VISA that cannot serve discovery counts as no VISA at all.
  bool Load();
  const CVisaEntryPoints& EntryPoints() const { return m_entryPoints; }

 private:
  HMODULE m_module = nullptr;
  CVisaEntryPoints m_entryPoints;
};
