#include "panels/fm_panel.h"

#include "instrument/instrument.h"
#include "panels/panel_host.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CFreqDlg, CTitledSettingPanel)

CFreqDlg::CFreqDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_FM_PANEL, owner, IDC_FM_TITLE) {}

// In the order of the panel's redisplay.
void CFreqDlg::AddSettings() {
  AddCombo(IDC_FM_FUNC, ESetting::kFmFunc);
  CNumericSetting& freq = AddNumber(IDC_FM_FREQ, IDC_FM_FREQ_SPIN, ESetting::kFmFreq, "Hz");
  CNumericSetting& dev = AddNumber(IDC_FM_DEV, IDC_FM_DEV_SPIN, ESetting::kFmDev, "Hz");
  CToggleSetting& state = AddToggle(IDC_FM_STATE, ESetting::kFmState, IDS_OFF, IDS_ON);
  // Switching FM on may have switched the other modes off; the modulating
  // frequency and the deviation then show what the instrument holds.
  state.ReadBack([&freq, &dev, &state] {
    Instrument().SyncModes();
    freq.ShowFromInstrument();
    dev.ShowFromInstrument();
    state.ShowRemembered();
  });
  AddUserName(IDC_FM_USER, IDC_FM_USER_SPIN);
}
