#include "panels/main_panel.h"

#include <cstdio>

#include "controls/bitmap_picture.h"
#include "controls/led_lamp.h"
#include "controls/palette.h"
#include "controls/text_panel.h"
#include "framework/win32/tooltip.h"
#include "instrument/instrument.h"
#include "instrument/output_limits.h"
#include "panels/try_or_report.h"
#include "panels/panel_host.h"
#include "panels/panel_objects.h"
#include "panels/plate.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CPan1Dlg, CSettingPanel)

BEGIN_MESSAGE_MAP(CPan1Dlg, CSettingPanel)
  ON_WM_PAINT()
END_MESSAGE_MAP()

std::string AddressLine(int32_t slot, const std::string& address) {
  std::string shown = address;
  size_t cut = shown.find("::INST");
  if (cut != std::string::npos && cut > 4) shown.erase(cut);
  if (slot < 0) return shown;
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "Slot %hd ", static_cast<short>(slot));
  return prefix + shown;
}

CPan1Dlg::CPan1Dlg(CPan1Obj* owner) : CSettingPanel(IDD_MAIN_PANEL, owner) {}

CPan1Dlg::~CPan1Dlg() = default;

BOOL CPan1Dlg::OnInitDialog() {
  CSettingPanel::OnInitDialog();
  m_headerColor = PanelColor(8);
  m_pLamp = std::make_unique<CLedLamp>(PanelHost().ActiveColor(), RGB(192, 192, 192));
  m_pLamp->SubclassDlgItem(IDC_MAIN_LAMP, this);
  m_pLamp->m_link = Instrument().m_live != 0 ? ELinkState::kActive : ELinkState::kNotConnected;
  m_pHeader = AttachPlate(this, IDC_MAIN_HEADER, m_headerColor, true);
  m_pLampStrip = AttachPlate(this, IDC_MAIN_LAMP_STRIP, PanelColor(6), false);
  m_pLogo = std::make_unique<CBitmapPicture>(IDB_LOGO);
  m_pLogo->SetScaledBitmaps(IDB_LOGO_150, IDB_LOGO_200);
  m_pLogo->SubclassDlgItem(IDC_MAIN_LOGO, this);
  m_pPnpLogo = std::make_unique<CBitmapPicture>(IDB_PNP_LOGO);
  m_pPnpLogo->SetScaledBitmaps(IDB_PNP_LOGO_150, IDB_PNP_LOGO_200);
  m_pPnpLogo->SubclassDlgItem(IDC_MAIN_PNP_LOGO, this);
  m_pAddress = AttachPlate(this, IDC_MAIN_ADDRESS, PanelColor(0), false);
  m_pAddress->m_fitResourceName = true;
  TryOrReport([this] { ShowAddress(); });
  m_pFrame = AttachPlate(this, IDC_MAIN_FRAME, PanelColor(6), true);
  SetFocusSink(IDC_MAIN_FRAME, false);
  AddSettings();
  UpdateControls();
  return TRUE;
}

void CPan1Dlg::ShowAddress() {
  int32_t slot = Instrument().GetSlot();
  const std::string line = AddressLine(slot, Instrument().GetAddress());
  m_pAddress->SetText(line);
  SetTooltip(m_pAddress->m_hWnd, line);
}

// Declared in the order of the panel's redisplay.
void CPan1Dlg::AddSettings() {
  CComboSetting& function = AddCombo(IDC_MAIN_FUNC, ESetting::kFunc);
  m_pFreqField = &AddNumber(IDC_MAIN_FREQ, IDC_MAIN_FREQ_SPIN, ESetting::kFreq, "Hz");
  // Amplitude and offset are limited by the load the toggle shows.
  auto load = [this] { return static_cast<int16_t>(m_pLoadToggle->State()); };
  m_pAmplField = &AddNumber(IDC_MAIN_AMPL, IDC_MAIN_AMPL_SPIN, ESetting::kAmpl, "Vpp")
                      .Limits([load] {
                        CSpan span = AmplitudeSpan(load());
                        return CLimits{span.m_min, span.m_max};
                      })
                      .MinimumTestedFirst();
  m_pOffsetField = &AddNumber(IDC_MAIN_OFFSET, IDC_MAIN_OFFSET_SPIN, ESetting::kOffset, "V")
                        .Limits([load] { return CLimits{-PeakVolts(load()), PeakVolts(load())}; })
                        .MinimumTestedFirst()
                        .ZeroBand();
  m_pDutyField = &AddNumber(IDC_MAIN_DUTY, IDC_MAIN_DUTY_SPIN, ESetting::kDutyCycle, "%")
                      .MinimumTestedFirst()
                      .FixedStep(1);
  m_pLoadToggle =
      &AddToggle(IDC_MAIN_LOAD, ESetting::kLoad, IDS_LOAD_INFINITY, IDS_LOAD_50_OHMS);
  AddUserName(IDC_MAIN_USER, IDC_MAIN_USER_SPIN);

  m_pFreqField->ReReadAfterEnter(m_pDutyField).ReReadAfterSpin(m_pDutyField);
  m_pAmplField->ReReadAfterSpin(m_pOffsetField);
  // A function change may change these settings on the instrument.
  function.AfterSet([this] {
    m_pFreqField->ShowFromInstrument();
    m_pOffsetField->ShowFromInstrument();
    m_pAmplField->ShowFromInstrument();
    m_pDutyField->ShowFromInstrument();
  });
  // The instrument rescales amplitude and offset when the load changes.
  m_pLoadToggle->ReadBack([this] {
    m_pLoadToggle->ShowFromInstrument();
    m_pOffsetField->ShowFromInstrument();
    m_pAmplField->ShowFromInstrument();
  });
}

void CPan1Dlg::OnPaint() { PaintBackground(PanelColor(4)); }
