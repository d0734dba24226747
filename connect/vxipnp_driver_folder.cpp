#include "connect/vxipnp_driver_folder.h"

#include <windows.h>

#include "connect/library_loading.h"

namespace {
#ifdef _WIN64
const char kRootVariable[] = "VXIPNPPATH64";
const char kDriverFolder[] = "Win64\\Bin";
#else
const char kRootVariable[] = "VXIPNPPATH";
const char kDriverFolder[] = "WinNT\\Bin";
#endif

std::string WithSeparator(std::string folder) {
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

// In the program's own registry view: a 32-bit program on 64-bit Windows
// reads the 32-bit framework's value.
std::string RegistryRoot() {
  char value[MAX_PATH] = "";
  DWORD size = sizeof value;
  LONG status = ::RegGetValueA(HKEY_LOCAL_MACHINE, "SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion",
                               "VXIPNPPATH", RRF_RT_REG_SZ, nullptr, value, &size);
  return status == ERROR_SUCCESS ? value : "";
}
}  // namespace

std::string VxiPnpDriverFolder(const std::string& registryRoot, const std::string& variableRoot,
                               const std::string& programFiles) {
  const std::string defaultRoot =
      programFiles.empty() ? "" : WithSeparator(programFiles) + "IVI Foundation\\VISA";
  for (const std::string& root : {registryRoot, variableRoot, defaultRoot})
    if (IsAbsoluteFolder(root)) return WithSeparator(root) + kDriverFolder;
  return "";
}

std::string VxiPnpDriverFolder() {
  return VxiPnpDriverFolder(RegistryRoot(), EnvironmentVariable(kRootVariable),
                            EnvironmentVariable("ProgramFiles"));
}
