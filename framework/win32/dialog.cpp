#include "framework/win32/dialog.h"

#include <cstring>
#include <string>

#include "framework/win32/dialog_colors.h"
#include "framework/win32/win_app.h"

IMPLEMENT_RUNTIME_CLASS(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
  ON_COMMAND(IDOK, OnOkCommand)
  ON_COMMAND(IDCANCEL, OnCancelCommand)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent) : m_pParent(parent), m_templateId(templateId) {}

INT_PTR CDialog::DoModal() {
  m_modal = true;
  HWND owner = m_pParent != nullptr ? m_pParent->m_hWnd : nullptr;
  return ::DialogBoxParamA(GetApp()->m_hInstance, MAKEINTRESOURCEA(m_templateId), owner,
                           &CDialog::InitDialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create() {
  m_modal = false;
  HWND parent = m_pParent != nullptr ? m_pParent->m_hWnd : nullptr;
  return ::CreateDialogParamA(GetApp()->m_hInstance, MAKEINTRESOURCEA(m_templateId), parent,
                              &CDialog::InitDialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::EndDialog(int result) { ::EndDialog(m_hWnd, result); }

bool CDialog::PreTranslateMessage(MSG& msg) {
  return !m_modal && ::IsDialogMessageA(m_hWnd, &msg);
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() {
  if (m_modal) EndDialog(IDOK);
}

// A modeless dialog stays on Escape: it belongs to the window that holds it.
void CDialog::OnCancel() {
  if (m_modal) EndDialog(IDCANCEL);
}

namespace {
const WORD kDialogInitType = 240;
const WORD kAddStringMessage = 0x0403;  // CB_ADDSTRING as the initialisation data writes it

struct DialogInitEntry {
  WORD control;
  WORD message;
  DWORD length;  // of the text that follows, terminating NUL included
};
}  // namespace

// Fills the combo boxes from the initialisation data stored beside the
// template (resource type 240, same identifier): per entry the control, the
// message, the length and the text; a zero control ends the data.
void CDialog::ExecuteDialogInit() {
  HINSTANCE instance = GetApp()->m_hInstance;
  HRSRC found = ::FindResourceA(instance, MAKEINTRESOURCEA(m_templateId),
                                MAKEINTRESOURCEA(kDialogInitType));
  if (found == nullptr) return;
  const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(instance, found)));
  const BYTE* end = data + ::SizeofResource(instance, found);
  while (data + sizeof(WORD) <= end) {
    DialogInitEntry entry;
    std::memcpy(&entry.control, data, sizeof(WORD));
    if (entry.control == 0 || data + sizeof entry > end) break;
    std::memcpy(&entry.message, data + 2, sizeof(WORD));
    std::memcpy(&entry.length, data + 4, sizeof(DWORD));
    const BYTE* text = data + 8;
    if (text + entry.length > end) break;
    if (entry.message == kAddStringMessage && entry.length > 0) {
      std::string item(reinterpret_cast<const char*>(text), entry.length);
      item.resize(std::strlen(item.c_str()));
      ::SendDlgItemMessageA(m_hWnd, entry.control, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(item.c_str()));
    }
    data = text + entry.length;
  }
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ExecuteDialogInit();
    return OnInitDialog();
  }
  // The dialog colours, unless a handler of the map (a panel's value field) answers first.
  if (IsDialogColorRequest(message)) {
    LRESULT result = 0;
    if (DispatchToMap(message, wParam, lParam, result)) return result;
    if (HBRUSH brush = DialogColorBrush(message, reinterpret_cast<HDC>(wParam)))
      return reinterpret_cast<LRESULT>(brush);
    return DefWindowProc(message, wParam, lParam);
  }
  return CWnd::WindowProc(message, wParam, lParam);
}

// Receives the messages up to WM_INITDIALOG; from then on the dialog's window is
// subclassed and its messages reach the object like any other window's.
INT_PTR CALLBACK CDialog::InitDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  dialog->SubclassWindow(hWnd);
  return RouteMessage(dialog, hWnd, message, wParam, lParam);
}
