#include "panels/fm_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/panel_host.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CFreqDlg, CSettingPanel)

CFreqDlg::CFreqDlg(CPanel* owner) : CSettingPanel(IDD_FM_PANEL, owner) {}

CFreqDlg::~CFreqDlg() = default;

BOOL CFreqDlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_FM_TITLE, PanelColor(8), false);
  m_pTitle->SetText(LoadText(IDS_FM_PANEL));
  AddSettings();
  SetFocusSink(IDC_FM_TITLE, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}

// In the order of the panel's redisplay.
void CFreqDlg::AddSettings() {
  AddCombo(IDC_FM_FUNC, &CInstrument::GetFmFunc, &CInstrument::SetFmFunc);
  CNumericSetting& freq = AddNumber(IDC_FM_FREQ, IDC_FM_FREQ_SPIN, "Hz", 100,
                                    &CInstrument::GetFmFreq, &CInstrument::SetFmFreq)
                              .Limits(0.01, 10000);
  CNumericSetting& dev = AddNumber(IDC_FM_DEV, IDC_FM_DEV_SPIN, "Hz", 100, &CInstrument::GetFmDev,
                                   &CInstrument::SetFmDev)
                             .Limits(0.01, 7500000);
  CToggleSetting& state =
      AddToggle(IDC_FM_STATE, IDS_OFF, IDS_ON, &CInstrument::GetFmState, &CInstrument::SetFmState);
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
