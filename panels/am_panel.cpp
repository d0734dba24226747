#include "panels/am_panel.h"

#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CAmplDlg, CTitledSettingPanel)

CAmplDlg::CAmplDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_AM_PANEL, owner, IDC_AM_TITLE) {}

// In the order of the panel's redisplay.
void CAmplDlg::AddSettings() {
  AddCombo(IDC_AM_FUNC, ESetting::kAmFunc);
  AddCombo(IDC_AM_SOURCE, ESetting::kAmSource);
  AddNumber(IDC_AM_FREQ, IDC_AM_FREQ_SPIN, ESetting::kAmFreq, "Hz");
  AddNumber(IDC_AM_DEPTH, IDC_AM_DEPTH_SPIN, ESetting::kAmDepth, "%").FixedStep(1);
  AddModeState(IDC_AM_STATE, ESetting::kAmState);
  AddUserName(IDC_AM_USER, IDC_AM_USER_SPIN);
}
