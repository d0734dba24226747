#include "panels/sweep_panel.h"

#include "instrument/instrument.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSweepDlg, CTitledSettingPanel)

CSweepDlg::CSweepDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_SWEEP_PANEL, owner, IDC_SWEEP_TITLE) {}

// In the order of the panel's redisplay.
void CSweepDlg::AddSettings() {
  AddCombo(IDC_SWEEP_SPACING, ESetting::kSweepSpacing);
  AddCombo(IDC_SWEEP_TRIG_SOURCE, ESetting::kTrigSource);
  AddNumber(IDC_SWEEP_START, IDC_SWEEP_START_SPIN, ESetting::kStartFreq, "Hz");
  AddNumber(IDC_SWEEP_STOP, IDC_SWEEP_STOP_SPIN, ESetting::kStopFreq, "Hz");
  AddNumber(IDC_SWEEP_TIME, IDC_SWEEP_TIME_SPIN, ESetting::kSweepTime, "S");
  AddModeState(IDC_SWEEP_STATE, ESetting::kSweepState);
  AddTriggerSlope(IDC_SWEEP_SLOPE);
  AddCommandButton(IDC_SWEEP_BUS_TRIGGER, &CInstrument::Trigger);
}
