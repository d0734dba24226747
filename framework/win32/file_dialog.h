// The standard Open and Save dialogs of comdlg32, in UTF-16, with paths handed
// over in UTF-8. Within one run, either dialog opens in the folder where the
// last one was used.
#pragma once

#include <windows.h>

#include <string>

enum class EFileDialog { kOpen, kSave };
// kFailed: the dialog could not give a name (one longer than it takes, say).
enum class EFileChoice { kChosen, kCancelled, kFailed };

// `filter` pairs names and patterns, each ended by '|':
// "Setups (*.scpi)|*.scpi|All files (*.*)|*.*|". `defaultExtension` ("scpi")
// is added to a name typed without one.
EFileChoice ChooseFile(HWND owner, EFileDialog kind, const std::string& title, const std::string& filter,
                       const char* defaultExtension, std::string& path);

// The folder the next dialog opens in ("" before the first use).
std::string LastFileFolder();
