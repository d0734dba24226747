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
  LRESULT index = ::SendMessageA(GetDlgItem(IDC_RESOURCE_LIST), CB_GETCURSEL, 0, 0);
  if (index >= 0 && static_cast<size_t>(index) < m_candidates.size())
    m_selectedResource = m_candidates[static_cast<size_t>(index)];
  CDialog::OnOK();
}
