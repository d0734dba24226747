// The program's Open and Save dialogs: their title and filter from the string
// table, and a box when the dialog cannot give the name typed.
#pragma once

#include <windows.h>

#include <string>

#include "framework/win32/file_dialog.h"

// False when the operator cancels or the name cannot be had.
bool ChooseFileFor(HWND owner, EFileDialog kind, UINT titleId, UINT filterId, const char* defaultExtension,
                   std::string& path);
