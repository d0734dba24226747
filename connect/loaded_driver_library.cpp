#include "connect/loaded_driver_library.h"

#include "connect/library_loading.h"
#include "connect/vxipnp_driver_folder.h"
#include "tgq3207.h"

namespace {
const char* const kEntryPoints[] = {
#define SFP_ENTRY_POINT_NAME(name, type) #name,
    TGQ3207_ENTRY_POINTS(SFP_ENTRY_POINT_NAME)
#undef SFP_ENTRY_POINT_NAME
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
