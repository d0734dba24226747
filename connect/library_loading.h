// Loading a library by its bare name, as VISA and the driver library are: the
// program's folder, an optional folder of the caller's, the system folders and
// the absolute folders of PATH are searched in that order; the current
// directory never is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Null when the library is in none of the folders or does not load.
// `folderAfterProgram` is skipped when empty.
HMODULE LoadLibraryBySearchPath(const char* name, const std::string& folderAfterProgram = "");

// The folders searched, in order: `fixedFolders` as given, then each entry of
// `pathVariable` (";"-separated, surrounding quotes removed) that names an
// absolute folder. A relative entry would resolve against the current
// directory and is left out.
std::vector<std::string> LibrarySearchFolders(const std::vector<std::string>& fixedFolders,
                                              const std::string& pathVariable);

// "C:\..." or "\\server\...": a folder that does not depend on the current
// drive or directory.
bool IsAbsoluteFolder(const std::string& folder);

// Empty when the variable is not set.
std::string EnvironmentVariable(const char* name);
