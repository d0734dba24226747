#include "framework/win32/file_dialog.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <vector>

#include "framework/win32/late_library.h"
#include "framework/win32/wide_text.h"
#include "framework/win32/whole_file.h"

namespace {

// Room for any name an operator can type, so that the dialog never cuts or
// overruns it; the file calls then say whether Windows takes it.
constexpr size_t kNameRoom = 32768;

constexpr size_t kLongestName = MAX_PATH - 1;

std::string g_lastFolder;

struct CDialogLibrary {
  decltype(&::GetOpenFileNameW) m_open = LateFunction<decltype(::GetOpenFileNameW)>("comdlg32.dll", "GetOpenFileNameW");
  decltype(&::GetSaveFileNameW) m_save = LateFunction<decltype(::GetSaveFileNameW)>("comdlg32.dll", "GetSaveFileNameW");
  decltype(&::CommDlgExtendedError) m_error =
      LateFunction<decltype(::CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
  decltype(&::SetWindowSubclass) m_subclass = LateFunction<decltype(::SetWindowSubclass)>("comctl32.dll", "SetWindowSubclass");
  decltype(&::DefSubclassProc) m_next = LateFunction<decltype(::DefSubclassProc)>("comctl32.dll", "DefSubclassProc");
  decltype(&::RemoveWindowSubclass) m_unsubclass =
      LateFunction<decltype(::RemoveWindowSubclass)>("comctl32.dll", "RemoveWindowSubclass");

  bool Complete() const {
    return m_open != nullptr && m_save != nullptr && m_error != nullptr && m_subclass != nullptr &&
           m_next != nullptr && m_unsubclass != nullptr;
  }
};

const CDialogLibrary& DialogLibrary() {
  static const CDialogLibrary library;
  return library;
}

// Some dialogs (Wine's among them) copy the typed name into a buffer of
// MAX_PATH on OK and overrun it. While a dialog is open, a hook watches its OK
// and cancels the dialog instead when the name is longer.
class CLongNameGuard {
 public:
  CLongNameGuard() {
    s_refused = false;
    s_hook = ::SetWindowsHookExW(WH_CBT, &Activation, nullptr, ::GetCurrentThreadId());
  }
  ~CLongNameGuard() {
    if (s_hook != nullptr) ::UnhookWindowsHookEx(s_hook);
    s_hook = nullptr;
  }
  CLongNameGuard(const CLongNameGuard&) = delete;
  CLongNameGuard& operator=(const CLongNameGuard&) = delete;
  bool Refused() const { return s_refused; }

 private:
  static LRESULT CALLBACK Activation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) DialogLibrary().m_subclass(reinterpret_cast<HWND>(wParam), &WatchOk, 1, 0);
    return ::CallNextHookEx(s_hook, code, wParam, lParam);
  }

  static LRESULT CALLBACK WatchOk(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK && TypedLength(dialog) > kLongestName) {
      s_refused = true;
      return DialogLibrary().m_next(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    if (message == WM_NCDESTROY) DialogLibrary().m_unsubclass(dialog, &WatchOk, 1);
    return DialogLibrary().m_next(dialog, message, wParam, lParam);
  }

  static size_t TypedLength(HWND dialog) {
    for (int id : {cmb13, edt1})
      if (HWND name = ::GetDlgItem(dialog, id)) return static_cast<size_t>(::GetWindowTextLengthW(name));
    return 0;
  }

  static HHOOK s_hook;
  static bool s_refused;
};
HHOOK CLongNameGuard::s_hook = nullptr;
bool CLongNameGuard::s_refused = false;

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
  const CDialogLibrary& library = DialogLibrary();
  if (!library.Complete()) return EFileChoice::kFailed;
  CLongNameGuard guard;
  BOOL chosen = kind == EFileDialog::kSave ? library.m_save(&dialog) : library.m_open(&dialog);
  if (!chosen) return guard.Refused() || library.m_error() != 0 ? EFileChoice::kFailed : EFileChoice::kCancelled;
  path = Utf8Of(file.data());
  g_lastFolder = FolderOf(path);
  return EFileChoice::kChosen;
}

std::string LastFileFolder() { return g_lastFolder; }
