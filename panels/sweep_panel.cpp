#include "panels/sweep_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSweepDlg, CSettingPanel)

CSweepDlg::CSweepDlg(CPanel* owner) : CSettingPanel(IDD_SWEEP_PANEL, owner) {}

CSweepDlg::~CSweepDlg() = default;

BOOL CSweepDlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_SWEEP_TITLE, PanelColor(8), false);
  m_pTitle->SetText(LoadText(IDS_SWEEP_PANEL));
  AddSettings();
  SetFocusSink(IDC_SWEEP_TITLE, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}

// In the order of the panel's redisplay.
void CSweepDlg::AddSettings() {
  AddCombo(IDC_SWEEP_SPACING, &CInstrument::GetSweepSpacing, &CInstrument::SetSweepSpacing);
  AddCombo(IDC_SWEEP_TRIG_SOURCE, &CInstrument::GetTrigSource, &CInstrument::SetTrigSource);
  AddNumber(IDC_SWEEP_START, IDC_SWEEP_START_SPIN, "Hz", 100, &CInstrument::GetStartFreq,
            &CInstrument::SetStartFreq)
      .Limits(0.01, 15000000);
  AddNumber(IDC_SWEEP_STOP, IDC_SWEEP_STOP_SPIN, "Hz", 1000, &CInstrument::GetStopFreq,
            &CInstrument::SetStopFreq)
      .Limits(0.01, 15000000);
  AddNumber(IDC_SWEEP_TIME, IDC_SWEEP_TIME_SPIN, "S", 1, &CInstrument::GetSweepTime,
            &CInstrument::SetSweepTime)
      .Limits(0.001, 500);
  AddModeState(IDC_SWEEP_STATE, &CInstrument::GetSweepState, &CInstrument::SetSweepState);
  CToggleSetting& slope = AddToggle(IDC_SWEEP_SLOPE, IDS_SLOPE_INVERTED, IDS_SLOPE_NORMAL,
                                    &CInstrument::GetTrigSlope, &CInstrument::SetTrigSlope);
  slope.ReadBack([&slope] { slope.ShowFromInstrument(); });
  AddCommandButton(IDC_SWEEP_BUS_TRIGGER, &CInstrument::Trigger);
}
