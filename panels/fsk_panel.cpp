#include "panels/fsk_panel.h"

#include "instrument/instrument.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CFskDlg, CTitledSettingPanel)

CFskDlg::CFskDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_FSK_PANEL, owner, IDC_FSK_TITLE) {}

// In the order of the panel's redisplay.
void CFskDlg::AddSettings() {
  AddCombo(IDC_FSK_SOURCE, &CInstrument::GetFskSource, &CInstrument::SetFskSource);
  AddCombo(IDC_FSK_TRIG_SOURCE, &CInstrument::GetTrigSource, &CInstrument::SetTrigSource)
      .Translate(&ExternalOrTtlIndex, &ExternalOrTtlSource);
  AddNumber(IDC_FSK_FREQ, IDC_FSK_FREQ_SPIN, "Hz", 100, &CInstrument::GetFskFreq,
            &CInstrument::SetFskFreq)
      .Limits(ESetting::kFskFreq);
  AddNumber(IDC_FSK_RATE, IDC_FSK_RATE_SPIN, "Hz", 10, &CInstrument::GetFskRate,
            &CInstrument::SetFskRate)
      .Limits(ESetting::kFskRate);
  AddModeState(IDC_FSK_STATE, &CInstrument::GetFskState, &CInstrument::SetFskState);
}
