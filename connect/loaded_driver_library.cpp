#include "connect/loaded_driver_library.h"

#include "connect/library_loading.h"
#include "connect/vxipnp_driver_folder.h"

namespace {
const char* const kEntryPoints[] = {
    "tgq3207_init",        "tgq3207_timeOut",     "tgq3207_errorQueryDetect",
    "tgq3207_cmd",         "tgq3207_cmdInt",      "tgq3207_cmdReal",
    "tgq3207_cmdString_Q", "tgq3207_cmdInt16_Q",  "tgq3207_cmdReal64_Q",
    "tgq3207_reset",       "tgq3207_dcl",         "tgq3207_close",
    "tgq3207_trg",         "tgq3207_statEvenClr", "tgq3207_opc_Q",
    "tgq3207_readStatusByte_Q", "tgq3207_self_test", "tgq3207_error_query",
};
}  // namespace

std::unique_ptr<CLoadedDriverLibrary> CLoadedDriverLibrary::Load() {
  HMODULE module = LoadLibraryBySearchPath("tgq3207_32.dll", VxiPnpDriverFolder());
  if (module == nullptr) return nullptr;
  std::unique_ptr<CLoadedDriverLibrary> library(new CLoadedDriverLibrary(module));
  for (const char* name : kEntryPoints)
    if (library->FindEntryPoint(name) == nullptr) return nullptr;
  return library;
}

CLoadedDriverLibrary::~CLoadedDriverLibrary() { ::FreeLibrary(m_module); }

void* CLoadedDriverLibrary::FindEntryPoint(const char* name) {
  return reinterpret_cast<void*>(::GetProcAddress(m_module, name));
}
