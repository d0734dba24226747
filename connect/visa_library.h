// The VISA library, loaded by name at run time with the entry points that
// discovery uses looked up by name: VISA32.DLL, and in a 64-bit program
// visa64.dll when VISA32.DLL cannot serve.
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

  // False when no library loads that has every entry point discovery calls:
  // a VISA that cannot serve discovery counts as no VISA at all.
  bool Load();
  const CVisaEntryPoints& EntryPoints() const { return m_entryPoints; }

 private:
  bool LoadComplete(const char* name);

  HMODULE m_module = nullptr;
  CVisaEntryPoints m_entryPoints;
};
