#include "panels/bm_panel.h"

#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/burst_count_setting.h"
#include "panels/guarded_call.h"
#include "panels/panel_host.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CBurstDlg, CSettingPanel)

CBurstDlg::CBurstDlg(CPanel* owner) : CSettingPanel(IDD_BM_PANEL, owner) {}

CBurstDlg::~CBurstDlg() = default;

BOOL CBurstDlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_pTitle = AttachPlate(this, IDC_BM_TITLE, PanelColor(8), false);
  m_pTitle->SetText(LoadText(IDS_BM_PANEL));
  AddSettings();
  SetFocusSink(IDC_BM_TITLE, true);
  UpdateControls();
  return FALSE;  // the focus is on the title plate already
}

void CBurstDlg::RefreshCarrierFreq() {
  Guarded([] { Instrument().GetFreq(1); });
}

// In the order of the panel's redisplay; the state toggle is tested before the
// slope toggle for a forwarded double-click.
void CBurstDlg::AddSettings() {
  auto refreshCarrier = [this] { RefreshCarrierFreq(); };
  AddCombo(IDC_BM_MODE, &CInstrument::GetBmSource, &CInstrument::SetBmSource)
      .AfterSetFailure(refreshCarrier)
      .ReadBackAfterSet();
  AddCombo(IDC_BM_TRIG_SOURCE, &CInstrument::GetTrigSource, &CInstrument::SetTrigSource)
      .ReadBackAfterSet();
  AddField(std::make_unique<CBurstCountSetting>(this, IDC_BM_COUNT, IDC_BM_COUNT_SPIN,
                                                refreshCarrier));
  AddNumber(IDC_BM_PHASE, IDC_BM_PHASE_SPIN, "Deg", 0, &CInstrument::GetBmPhase,
            &CInstrument::SetBmPhase)
      .Limits(-360, 360)
      .FixedStep(1);
  AddNumber(IDC_BM_RATE, IDC_BM_RATE_SPIN, "Hz", 100, &CInstrument::GetBmRate,
            &CInstrument::SetBmRate)
      .Limits(0.01, 50000);
  AddModeState(IDC_BM_STATE, &CInstrument::GetBmState, &CInstrument::SetBmState)
      .AfterSetFailure(refreshCarrier);
  CToggleSetting& slope = AddToggle(IDC_BM_SLOPE, IDS_SLOPE_INVERTED, IDS_SLOPE_NORMAL,
                                    &CInstrument::GetTrigSlope, &CInstrument::SetTrigSlope);
  slope.ReadBack([&slope] { slope.ShowFromInstrument(); });
  AddCommandButton(IDC_BM_BUS_TRIGGER, &CInstrument::Trigger);
}
