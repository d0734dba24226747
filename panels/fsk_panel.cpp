#include "panels/fsk_panel.h"

#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CFskDlg, CTitledSettingPanel)

CFskDlg::CFskDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_FSK_PANEL, owner, IDC_FSK_TITLE) {}

// In the order of the panel's redisplay.
void CFskDlg::AddSettings() {
  AddCombo(IDC_FSK_SOURCE, ESetting::kFskSource);
  AddCombo(IDC_FSK_TRIG_SOURCE, ESetting::kTrigSource)
      .Translate(&ExternalOrTtlIndex, &ExternalOrTtlSource);
  AddNumber(IDC_FSK_FREQ, IDC_FSK_FREQ_SPIN, ESetting::kFskFreq, "Hz");
  AddNumber(IDC_FSK_RATE, IDC_FSK_RATE_SPIN, ESetting::kFskRate, "Hz");
  AddModeState(IDC_FSK_STATE, ESetting::kFskState);
}
