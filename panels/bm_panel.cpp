#include "panels/bm_panel.h"

#include "instrument/instrument.h"
#include "panels/burst_count_setting.h"
#include "panels/try_or_report.h"
#include "panels/panel_host.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CBurstDlg, CTitledSettingPanel)

CBurstDlg::CBurstDlg(CPanel* owner)
    : CTitledSettingPanel(IDD_BM_PANEL, owner, IDC_BM_TITLE) {}

void CBurstDlg::RefreshCarrierFreq() {
  TryOrReport([] { Instrument().GetFreq(1); });
}

// In the order of the panel's redisplay; the state toggle is tested before the
// slope toggle for a forwarded double-click.
void CBurstDlg::AddSettings() {
  auto refreshCarrier = [this] { RefreshCarrierFreq(); };
  AddCombo(IDC_BM_MODE, ESetting::kBmSource).AfterSetFailure(refreshCarrier).ReadBackAfterSet();
  AddCombo(IDC_BM_TRIG_SOURCE, ESetting::kTrigSource).ReadBackAfterSet();
  AddField(std::make_unique<CBurstCountSetting>(this, IDC_BM_COUNT, IDC_BM_COUNT_SPIN,
                                                refreshCarrier));
  AddNumber(IDC_BM_PHASE, IDC_BM_PHASE_SPIN, ESetting::kBmPhase, "Deg").FixedStep(1);
  AddNumber(IDC_BM_RATE, IDC_BM_RATE_SPIN, ESetting::kBmRate, "Hz");
  AddModeState(IDC_BM_STATE, ESetting::kBmState).AfterSetFailure(refreshCarrier);
  AddTriggerSlope(IDC_BM_SLOPE);
  AddCommandButton(IDC_BM_BUS_TRIGGER, &CInstrument::Trigger);
}
