#include "connect/select_instr_dlg.h"

#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSelectInstrDlg, CDialog)

CSelectInstrDlg::CSelectInstrDlg(CWnd* parent, const std::vector<std::string>& candidates)
    : CDialog(IDD_SELECT_INSTRUMENT, parent), m_candidates(candidates) {}

BOOL CSelectInstrDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  HWND list = GetDlgItem(IDC_RESOURCE_LIST);
  for (const std::string& candidate : m_candidates)
    ::SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(candidate.c_str()));
  ::SendMessageA(list, CB_SETCURSEL, 0, 0);
  return TRUE;
}

void CSelectInstrDlg::OnOK() {
  HWND list = GetDlgItem(IDC_RESOURCE_LIST);
  LRESULT index = ::SendMessageA(list, CB_GETCURSEL, 0, 0);
  LRESULT length = index >= 0 ? ::SendMessageA(list, CB_GETLBTEXTLEN, index, 0) : CB_ERR;
  if (length >= 0) {
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT copied = ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied >= 0 && copied <= length ? static_cast<size_t>(copied) : 0);
    m_selectedResource = text;
  }
  CDialog::OnOK();
}
