#include "framework/win32/file_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "framework/win32/whole_file.h"

namespace {
std::string g_lastFolder;
}  // namespace

bool ChooseFile(HWND owner, EFileDialog kind, const std::string& title, const std::string& filter,
                const char* defaultExtension, std::string& path) {
  std::string filters = filter;
  std::replace(filters.begin(), filters.end(), '|', '\0');
  char file[MAX_PATH] = "";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrInitialDir = g_lastFolder.empty() ? nullptr : g_lastFolder.c_str();
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (kind == EFileDialog::kSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL chosen = kind == EFileDialog::kSave ? ::GetSaveFileNameA(&dialog) : ::GetOpenFileNameA(&dialog);
  if (!chosen) return false;
  path = file;
  g_lastFolder = FolderOf(path);
  return true;
}

std::string LastFileFolder() { return g_lastFolder; }
