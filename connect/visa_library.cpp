#include "connect/visa_library.h"

#include "connect/library_loading.h"

namespace {
// A vendor's VISA on 64-bit Windows installs visa64.dll, and a visa32.dll that
// forwards to it only since 2009: a 64-bit program also takes visa64.dll. A
// 32-bit program asking for VISA32.DLL is sent to the 32-bit one by the system.
#ifdef _WIN64
const char* const kLibraryNames[] = {"VISA32.DLL", "visa64.dll"};
#else
const char* const kLibraryNames[] = {"VISA32.DLL"};
#endif

template <typename Function>
bool Bind(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  return function != nullptr;
}
}  // namespace

CVisaLibrary::~CVisaLibrary() {
  if (m_module != nullptr) ::FreeLibrary(m_module);
}

bool CVisaLibrary::Load() {
  for (const char* name : kLibraryNames)
    if (LoadComplete(name)) return true;
  return false;
}

bool CVisaLibrary::LoadComplete(const char* name) {
  m_module = LoadLibraryBySearchPath(name);
  if (m_module == nullptr) return false;
  CVisaEntryPoints& e = m_entryPoints;
  bool complete = Bind(m_module, "viOpenDefaultRM", e.openDefaultRM) &
                  Bind(m_module, "viFindRsrc", e.findRsrc) &
                  Bind(m_module, "viFindNext", e.findNext) & Bind(m_module, "viOpen", e.open) &
                  Bind(m_module, "viGetAttribute", e.getAttribute) &
                  Bind(m_module, "viWrite", e.write) & Bind(m_module, "viRead", e.read) &
                  Bind(m_module, "viClose", e.close);
  // Discovery never calls viFlush, so a library without it still serves.
  Bind(m_module, "viFlush", e.flush);
  if (complete) return true;
  ::FreeLibrary(m_module);
  m_module = nullptr;
  m_entryPoints = CVisaEntryPoints();
  return false;
}
