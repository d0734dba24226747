// tgq3207sfp-sim.exe: starts the soft front panel on the simulated VISA.
// It lives in the installation's simulator folder beside the simulated
// VISA32.DLL, puts that folder at the front of PATH (the program looks for
// VISA32.DLL in absolute PATH folders after its own and the system folders)
// and starts ..\tgq3207sfp.exe with the options it was given. The program
// itself never sees the simulator unless it is started this way.
#include <windows.h>

#include <string>

namespace {
const wchar_t kProgram[] = L"tgq3207sfp.exe";
const wchar_t kCaption[] = L"TG Q3207 SFP";

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring OwnPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

std::wstring Variable(const wchar_t* name) {
  DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return std::wstring();
  std::wstring value(size, L'\0');
  DWORD length = ::GetEnvironmentVariableW(name, &value[0], size);
  value.resize(length < size ? length : 0);
  return value;
}

// The options after the launcher's own name, as typed (quotes kept).
std::wstring OptionsGiven() {
  const wchar_t* line = ::GetCommandLineW();
  bool quoted = false;
  for (; *line != L'\0'; ++line) {
    if (*line == L'"') quoted = !quoted;
    else if (!quoted && (*line == L' ' || *line == L'\t')) break;
  }
  while (*line == L' ' || *line == L'\t') ++line;
  return line;
}

int Fail(const std::wstring& what) {
  std::wstring text = what + L"\n\nError " + std::to_wstring(::GetLastError()) + L".";
  ::MessageBoxW(nullptr, text.c_str(), kCaption, MB_OK | MB_ICONEXCLAMATION);
  return 1;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  const std::wstring simulatorFolder = FolderOf(OwnPath());
  const std::wstring program = FolderOf(simulatorFolder) + L"\\" + kProgram;
  if (simulatorFolder.empty() || ::GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES)
    return Fail(L"Cannot find " + program + L".");

  const std::wstring path = Variable(L"PATH");
  const std::wstring newPath = path.empty() ? simulatorFolder : simulatorFolder + L";" + path;
  if (!::SetEnvironmentVariableW(L"PATH", newPath.c_str()))
    return Fail(L"Cannot put the simulator folder on PATH.");

  std::wstring commandLine = L"\"" + program + L"\"";
  const std::wstring options = OptionsGiven();
  if (!options.empty()) commandLine += L" " + options;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
    return Fail(L"Cannot start " + program + L".");
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return 0;
}
