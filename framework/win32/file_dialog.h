// The standard Open and Save dialogs of comdlg32. Within one run, either dialog
// opens in the folder where the last one was used.
#pragma once

#include <windows.h>

#include <string>

enum class EFileDialog { kOpen, kSave };

// `filter` pairs names and patterns, each ended by '|':
// "Setups (*.scpi)|*.scpi|All files (*.*)|*.*|". `defaultExtension` ("scpi")
// is added to a name typed without one. False when the operator cancels.
bool ChooseFile(HWND owner, EFileDialog kind, const std::string& title, const std::string& filter,
                const char* defaultExtension, std::string& path);

// The folder the next dialog opens in ("" before the first use).
std::string LastFileFolder();
