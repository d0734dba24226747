// The Select Instrument dialog: the operator picks the resource to open from
// the candidates discovery found, in the order VISA listed them.
#pragma once

#include <string>
#include <vector>

#include "framework/win32/dialog.h"

class CSelectInstrDlg : public CDialog {
  DECLARE_RUNTIME_CLASS(CSelectInstrDlg)

 public:
  // `candidates` is not owned and holds at least one entry.
  CSelectInstrDlg(CWnd* parent, const std::vector<std::string>& candidates);

  // The entry chosen with OK; empty until then.
  const std::string& SelectedResource() const { return m_selectedResource; }

 protected:
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  const std::vector<std::string>& m_candidates;
  std::string m_selectedResource;
};
