#include "panels/toggle_setting.h"

#include "controls/toggle_button.h"
#include "framework/win32/wait_cursor.h"
#include "framework/win32/win_app.h"
#include "instrument/instrument.h"
#include "panels/try_or_report.h"
#include "panels/panel_host.h"

CToggleSetting::CToggleSetting(CWnd* dialog, int id, unsigned caption0, unsigned caption1,
                               ESetting setting)
    : m_dialog(dialog), m_id(id), m_button(std::make_unique<CToggleButton>()),
      m_row(SettingRow(setting)) {
  m_button->m_caption0 = LoadText(caption0);
  m_button->m_caption1 = LoadText(caption1);
  m_button->SubclassDlgItem(static_cast<UINT>(id), dialog);
  m_button->m_faceColor = ::GetSysColor(COLOR_BTNFACE);
}

CToggleSetting::~CToggleSetting() = default;

CToggleSetting& CToggleSetting::ReadBack(std::function<void()> steps) {
  m_readBack = std::move(steps);
  return *this;
}

CToggleSetting& CToggleSetting::AfterSetFailure(std::function<void()> steps) {
  m_afterSetFailure = std::move(steps);
  return *this;
}

int16_t CToggleSetting::State() const { return static_cast<int16_t>(m_button->m_shown); }

void CToggleSetting::ShowRemembered() { ShowState(0); }

void CToggleSetting::ShowFromInstrument() { ShowState(1); }

void CToggleSetting::ShowState(int16_t query) {
  m_button->SetState(Instrument().GetSetting(m_row, query).m_number != 0);
}

void CToggleSetting::OnClick() {
  CWaitCursor wait;
  if (AltKeyHeld()) {
    TryOrReport([this] { ShowFromInstrument(); });
    return;
  }
  int16_t state = static_cast<int16_t>(m_button->Commit());
  if (!TryOrReport([this, state] { Instrument().SetSetting(m_row, SettingValueOf(state)); }) &&
      m_afterSetFailure)
    m_afterSetFailure();
  if (m_readBack) TryOrReport(m_readBack);
}

bool CToggleSetting::Contains(POINT dialogPoint) const {
  RECT r;
  if (!::GetWindowRect(m_button->m_hWnd, &r)) return false;
  ::MapWindowPoints(nullptr, m_dialog->m_hWnd, reinterpret_cast<POINT*>(&r), 2);
  return ::PtInRect(&r, dialogPoint) != 0;
}
