#include "framework/win32/file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "framework/win32/wide_text.h"
#include "framework/win32/whole_file.h"

namespace {

// Room for any name an operator can type, so that the dialog never cuts or
// overruns it; the file calls then say whether Windows takes it.
constexpr size_t kNameRoom = 32768;

std::string g_lastFolder;

}  // namespace

EFileChoice ChooseFile(HWND owner, EFileDialog kind, const std::string& title, const std::string& filter,
                       const char* defaultExtension, std::string& path) {
  std::wstring filters = Widened(filter);
  std::replace(filters.begin(), filters.end(), L'|', L'\0');
  std::wstring folder = Widened(g_lastFolder), caption = Widened(title), extension = Widened(defaultExtension);
  std::vector<wchar_t> file(kNameRoom, L'\0');
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
  dialog.lpstrTitle = caption.c_str();
  dialog.lpstrDefExt = extension.c_str();
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (kind == EFileDialog::kSave ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  BOOL chosen = kind == EFileDialog::kSave ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
  if (!chosen) return ::CommDlgExtendedError() == 0 ? EFileChoice::kCancelled : EFileChoice::kFailed;
  path = Utf8Of(file.data());
  g_lastFolder = FolderOf(path);
  return EFileChoice::kChosen;
}

std::string LastFileFolder() { return g_lastFolder; }
