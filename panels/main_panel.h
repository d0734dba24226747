// The Main panel: output function, user waveform, frequency, amplitude, offset,
// duty cycle and output load, under a header with the logos, the instrument's
// address and the Active lamp.
#pragma once

#include <memory>
#include <string>

#include "panels/setting_panel.h"

class CBitmapPicture;
class CLedLamp;
class CPan1Obj;
class CTextPanel;

class CPan1Dlg : public CSettingPanel {
  DECLARE_RUNTIME_CLASS(CPan1Dlg)

 public:
  explicit CPan1Dlg(CPan1Obj* owner);
  ~CPan1Dlg() override;

 protected:
  BOOL OnInitDialog() override;

 private:
  void OnPaint();
  void ShowAddress();
  void AddSettings();

  std::unique_ptr<CTextPanel> m_pHeader;
  std::unique_ptr<CLedLamp> m_pLamp;
  std::unique_ptr<CTextPanel> m_pLampStrip;
  COLORREF m_headerColor = 0;
  std::unique_ptr<CBitmapPicture> m_pLogo;
  std::unique_ptr<CBitmapPicture> m_pPnpLogo;
  std::unique_ptr<CTextPanel> m_pAddress;
  std::unique_ptr<CTextPanel> m_pFrame;
  CNumericSetting* m_pFreqField = nullptr;
  CNumericSetting* m_pAmplField = nullptr;
  CNumericSetting* m_pOffsetField = nullptr;
  CNumericSetting* m_pDutyField = nullptr;
  CToggleSetting* m_pLoadToggle = nullptr;

  DECLARE_MESSAGE_MAP(CPan1Dlg)
};

// The address line: "Slot 3 GPIB-VXI0::24" for a known slot, else the address
// alone; an address holding "::INST" past its fifth character is cut there.
std::string AddressLine(int32_t slot, const std::string& address);
