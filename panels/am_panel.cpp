#include "panels/am_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CAmplDlg, CSettingPanel)

CAmplDlg::CAmplDlg(CPanel* owner) : CSettingPanel(IDD_AM_PANEL, owner) {}

CAmplDlg::~CAmplDlg() = default;

BOOL CAmplDlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_AM_TITLE, PanelColor(8), false);
  m_pTitle->SetText(LoadText(IDS_AM_PANEL));
  AddSettings();
  SetFocusSink(IDC_AM_TITLE, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}

// In the order of the panel's redisplay.
void CAmplDlg::AddSettings() {
  AddCombo(IDC_AM_FUNC, &CInstrument::GetAmFunc, &CInstrument::SetAmFunc);
  AddCombo(IDC_AM_SOURCE, &CInstrument::GetAmSource, &CInstrument::SetAmSource);
  AddNumber(IDC_AM_FREQ, IDC_AM_FREQ_SPIN, "Hz", 100, &CInstrument::GetAmFreq,
            &CInstrument::SetAmFreq)
      .Limits(0.01, 20000);
  AddNumber(IDC_AM_DEPTH, IDC_AM_DEPTH_SPIN, "%", 100, &CInstrument::GetAmDepth,
            &CInstrument::SetAmDepth)
      .Limits(0, 120)
      .FixedStep(1);
  AddModeState(IDC_AM_STATE, &CInstrument::GetAmState, &CInstrument::SetAmState);
  AddUserName(IDC_AM_USER, IDC_AM_USER_SPIN);
}
