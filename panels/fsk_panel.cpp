#include "panels/fsk_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CFskDlg, CSettingPanel)

CFskDlg::CFskDlg(CPanel* owner) : CSettingPanel(IDD_FSK_PANEL, owner) {}

CFskDlg::~CFskDlg() = default;

BOOL CFskDlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_FSK_TITLE, PanelColor(8), false);
  m_pTitle->SetText(LoadText(IDS_FSK_PANEL));
  AddSettings();
  SetFocusSink(IDC_FSK_TITLE, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}

// In the order of the panel's redisplay.
void CFskDlg::AddSettings() {
  AddCombo(IDC_FSK_SOURCE, &CInstrument::GetFskSource, &CInstrument::SetFskSource);
  AddCombo(IDC_FSK_TRIG_SOURCE, &CInstrument::GetTrigSource, &CInstrument::SetTrigSource)
      .Translate(&ExternalOrTtlIndex, &ExternalOrTtlSource);
  AddNumber(IDC_FSK_FREQ, IDC_FSK_FREQ_SPIN, "Hz", 100, &CInstrument::GetFskFreq,
            &CInstrument::SetFskFreq)
      .Limits(0.01, 15000000);
  AddNumber(IDC_FSK_RATE, IDC_FSK_RATE_SPIN, "Hz", 10, &CInstrument::GetFskRate,
            &CInstrument::SetFskRate)
      .Limits(0.01, 50000);
  AddModeState(IDC_FSK_STATE, &CInstrument::GetFskState, &CInstrument::SetFskState);
}
