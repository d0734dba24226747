#include "panels/combo_setting.h"

#include "framework/win32/wait_cursor.h"
#include "framework/win32/wnd.h"
#include "instrument/instrument.h"
#include "panels/try_or_report.h"
#include "panels/panel_host.h"

CComboSetting::CComboSetting(CWnd* dialog, int id, ESetting setting)
    : m_dialog(dialog), m_id(id), m_row(SettingRow(setting)) {}

CComboSetting& CComboSetting::ReadBackAfterSet() {
  m_readBack = true;
  return *this;
}

CComboSetting& CComboSetting::AfterSet(std::function<void()> steps) {
  m_afterSet = std::move(steps);
  return *this;
}

CComboSetting& CComboSetting::AfterSetFailure(std::function<void()> steps) {
  m_afterSetFailure = std::move(steps);
  return *this;
}

CComboSetting& CComboSetting::Translate(int (*codeToIndex)(int16_t), int16_t (*indexToCode)(int)) {
  m_codeToIndex = codeToIndex;
  m_indexToCode = indexToCode;
  return *this;
}

// An index outside the list leaves the combo box without a selection (said
// explicitly: not every platform clears it for an index past the end).
void CComboSetting::Select(int16_t code) {
  int index = m_codeToIndex != nullptr ? m_codeToIndex(code) : code;
  int count = static_cast<int>(::SendDlgItemMessageA(m_dialog->m_hWnd, m_id, CB_GETCOUNT, 0, 0));
  if (index < 0 || index >= count) index = -1;
  ::SendDlgItemMessageA(m_dialog->m_hWnd, m_id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CComboSetting::ShowRemembered() { ShowCode(0); }

void CComboSetting::ShowFromInstrument() { ShowCode(1); }

void CComboSetting::ShowCode(int16_t query) {
  Select(SettingValueAs<int16_t>(Instrument().GetSetting(m_row, query)));
}

void CComboSetting::OnSelectionChanged(HWND focusSink) {
  CWaitCursor wait;
  if (AltKeyHeld()) {
    TryOrReport([this] { ShowFromInstrument(); });
    ::SetFocus(focusSink);
    return;
  }
  int index = static_cast<int>(::SendDlgItemMessageA(m_dialog->m_hWnd, m_id, CB_GETCURSEL, 0, 0));
  int16_t code = m_indexToCode != nullptr ? m_indexToCode(index) : static_cast<int16_t>(index);
  if (!TryOrReport([this, code] { Instrument().SetSetting(m_row, SettingValueOf(code)); }) &&
      m_afterSetFailure)
    m_afterSetFailure();
  if (m_readBack) TryOrReport([this] { ShowFromInstrument(); });
  if (m_afterSet) TryOrReport(m_afterSet);
}

void CComboSetting::OnDropDown() {
  if (!AltKeyHeld()) return;
  TryOrReportUnderWaitCursor([this] { ShowFromInstrument(); });
}

int ExternalOrTtlIndex(int16_t triggerSource) {
  return triggerSource < kTrigFirstLine ? 0 : triggerSource - (kTrigFirstLine - 1);
}

int16_t ExternalOrTtlSource(int index) {
  return index <= 0 ? kTrigExternal : static_cast<int16_t>(index + (kTrigFirstLine - 1));
}
