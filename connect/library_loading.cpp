#include "connect/library_loading.h"

#include <cctype>

bool IsAbsoluteFolder(const std::string& folder) {
  if (folder.size() >= 3 && std::isalpha(static_cast<unsigned char>(folder[0])) &&
      folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/'))
    return true;
  return folder.rfind("\\\\", 0) == 0;
}

std::string EnvironmentVariable(const char* name) {
  DWORD size = ::GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return "";
  std::string value(size, '\0');
  DWORD length = ::GetEnvironmentVariableA(name, value.data(), size);
  value.resize(length < size ? length : 0);
  return value;
}

namespace {
std::string Unquoted(const std::string& entry) {
  std::string text;
  for (char c : entry)
    if (c != '"') text += c;
  return text;
}

std::string ProgramFolder() {
  char path[MAX_PATH] = "";
  DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return "";
  std::string folder(path, length);
  size_t slash = folder.find_last_of("\\/");
  return slash == std::string::npos ? "" : folder.substr(0, slash);
}

std::string SystemFolder() {
  char path[MAX_PATH] = "";
  UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : "";
}

std::string WindowsFolder() {
  char path[MAX_PATH] = "";
  UINT length = ::GetWindowsDirectoryA(path, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(path, length) : "";
}

bool IsFile(const std::string& path) {
  DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
}  // namespace

std::vector<std::string> LibrarySearchFolders(const std::vector<std::string>& fixedFolders,
                                              const std::string& pathVariable) {
  std::vector<std::string> folders;
  for (const std::string& folder : fixedFolders)
    if (!folder.empty()) folders.push_back(folder);
  size_t begin = 0;
  while (begin <= pathVariable.size()) {
    size_t end = pathVariable.find(';', begin);
    if (end == std::string::npos) end = pathVariable.size();
    std::string entry = Unquoted(pathVariable.substr(begin, end - begin));
    if (IsAbsoluteFolder(entry)) folders.push_back(entry);
    begin = end + 1;
  }
  return folders;
}

HMODULE LoadLibraryBySearchPath(const char* name, const std::string& folderAfterProgram) {
  // The libraries' own imports are found by the loader; an empty DLL
  // directory keeps the current directory out of that search on Windows.
  ::SetDllDirectoryA("");
  const std::string windows = WindowsFolder();
  const std::vector<std::string> fixed = {ProgramFolder(), folderAfterProgram, SystemFolder(),
                                          windows.empty() ? "" : windows + "\\System", windows};
  for (const std::string& folder : LibrarySearchFolders(fixed, EnvironmentVariable("PATH"))) {
    std::string path = folder;
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    path += name;
    if (!IsFile(path)) continue;
    // Imports are looked for beside the library first, as a vendor's DLL expects.
    if (HMODULE module = ::LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH))
      return module;
  }
  return nullptr;
}
