#include "panels/sweep_panel.h"

#include "instrument/instrument.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSweepDlg, CTitledSettingPanel)

CSweepDlg::CSweepDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_SWEEP_PANEL, owner, IDC_SWEEP_TITLE) {}

// In the order of the panel's redisplay.
void CSweepDlg::AddSettings() {
  AddCombo(IDC_SWEEP_SPACING, &CInstrument::GetSweepSpacing, &CInstrument::SetSweepSpacing);
  AddCombo(IDC_SWEEP_TRIG_SOURCE, &CInstrument::GetTrigSource, &CInstrument::SetTrigSource);
  AddNumber(IDC_SWEEP_START, IDC_SWEEP_START_SPIN, "Hz", 100, &CInstrument::GetStartFreq,
            &CInstrument::SetStartFreq)
      .Limits(ESetting::kStartFreq);
  AddNumber(IDC_SWEEP_STOP, IDC_SWEEP_STOP_SPIN, "Hz", 1000, &CInstrument::GetStopFreq,
            &CInstrument::SetStopFreq)
      .Limits(ESetting::kStopFreq);
  AddNumber(IDC_SWEEP_TIME, IDC_SWEEP_TIME_SPIN, "S", 1, &CInstrument::GetSweepTime,
            &CInstrument::SetSweepTime)
      .Limits(ESetting::kSweepTime);
  AddModeState(IDC_SWEEP_STATE, &CInstrument::GetSweepState, &CInstrument::SetSweepState);
  AddTriggerSlope(IDC_SWEEP_SLOPE);
  AddCommandButton(IDC_SWEEP_BUS_TRIGGER, &CInstrument::Trigger);
}
