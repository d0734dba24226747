#include "panels/am_panel.h"

#include "instrument/instrument.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CAmplDlg, CTitledSettingPanel)

CAmplDlg::CAmplDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_AM_PANEL, owner, IDC_AM_TITLE) {}

// In the order of the panel's redisplay.
void CAmplDlg::AddSettings() {
  AddCombo(IDC_AM_FUNC, &CInstrument::GetAmFunc, &CInstrument::SetAmFunc);
  AddCombo(IDC_AM_SOURCE, &CInstrument::GetAmSource, &CInstrument::SetAmSource);
  AddNumber(IDC_AM_FREQ, IDC_AM_FREQ_SPIN, "Hz", 100, &CInstrument::GetAmFreq,
            &CInstrument::SetAmFreq)
      .Limits(ESetting::kAmFreq);
  AddNumber(IDC_AM_DEPTH, IDC_AM_DEPTH_SPIN, "%", 100, &CInstrument::GetAmDepth,
            &CInstrument::SetAmDepth)
      .Limits(ESetting::kAmDepth)
      .FixedStep(1);
  AddModeState(IDC_AM_STATE, &CInstrument::GetAmState, &CInstrument::SetAmState);
  AddUserName(IDC_AM_USER, IDC_AM_USER_SPIN);
}
