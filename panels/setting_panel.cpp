#include "panels/setting_panel.h"

#include <optional>

#include "framework/win32/wait_cursor.h"
#include "instrument/instrument.h"
#include "instrument/io_log.h"
#include "panels/try_or_report.h"
#include "panels/panel_host.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CSettingPanel, CPanelDialog)

BEGIN_MESSAGE_MAP(CSettingPanel, CPanelDialog)
  ON_CONTROL_RANGE_OR_DECLINE(EN_SETFOCUS, 0, 0xFFFF, OnEditSetFocus)
  ON_CONTROL_RANGE_OR_DECLINE(EN_KILLFOCUS, 0, 0xFFFF, OnEditKillFocus)
  ON_CONTROL_RANGE_OR_DECLINE(CBN_SELCHANGE, 0, 0xFFFF, OnComboSelChange)
  ON_CONTROL_RANGE_OR_DECLINE(CBN_DROPDOWN, 0, 0xFFFF, OnComboDropDown)
  ON_CONTROL_RANGE_OR_DECLINE(BN_CLICKED, 0, 0xFFFF, OnButtonClicked)
  ON_WM_VSCROLL()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSettingPanel::CSettingPanel(UINT templateId, CPanel* owner) : CPanelDialog(templateId, owner) {}

CSettingPanel::~CSettingPanel() = default;

CNumericSetting& CSettingPanel::AddNumber(int editId, int spinId, ESetting setting,
                                          const char* unit) {
  return static_cast<CNumericSetting&>(
      AddField(std::make_unique<CNumericSetting>(this, editId, spinId, setting, unit)));
}

CNameSetting& CSettingPanel::AddUserName(int editId, int spinId) {
  return static_cast<CNameSetting&>(
      AddField(std::make_unique<CNameSetting>(this, editId, spinId)));
}

CPanelField& CSettingPanel::AddField(std::unique_ptr<CPanelField> field) {
  return Keep(std::move(field), m_fields);
}

CComboSetting& CSettingPanel::AddCombo(int id, ESetting setting) {
  return Keep(std::make_unique<CComboSetting>(this, id, setting), m_combos);
}

CToggleSetting& CSettingPanel::AddToggle(int id, ESetting setting, unsigned caption0,
                                         unsigned caption1) {
  return Keep(std::make_unique<CToggleSetting>(this, id, caption0, caption1, setting), m_toggles);
}

CToggleSetting& CSettingPanel::AddModeState(int id, ESetting setting) {
  CToggleSetting& state = AddToggle(id, setting, IDS_OFF, IDS_ON);
  state.ReadBack([&state] {
    Instrument().SyncModes();
    state.ShowRemembered();
  });
  return state;
}

CToggleSetting& CSettingPanel::AddTriggerSlope(int id) {
  CToggleSetting& slope =
      AddToggle(id, ESetting::kTrigSlope, IDS_SLOPE_INVERTED, IDS_SLOPE_NORMAL);
  slope.ReadBack([&slope] { slope.ShowFromInstrument(); });
  return slope;
}

void CSettingPanel::AddCommandButton(int id, void (CInstrument::*operation)()) {
  m_commandButtons.emplace_back(id, operation);
}

void CSettingPanel::SetFocusSink(int id, bool focusAfterUpdate) {
  m_focusSinkId = id;
  m_focusSinkAfterUpdate = focusAfterUpdate;
}

void CSettingPanel::UpdateControls() {
  for (auto& element : m_elements) element->ShowRemembered();
  if (m_focusSinkAfterUpdate) ::SetFocus(FocusSink());
  m_spinBusy = 0;
}

CPanelField* CSettingPanel::FieldByEdit(int id) const {
  for (CPanelField* field : m_fields)
    if (field->EditId() == id) return field;
  return nullptr;
}

CPanelField* CSettingPanel::FieldWithFocus() const {
  HWND focus = ::GetFocus();
  if (focus == nullptr || ::GetParent(focus) != m_hWnd) return nullptr;
  return FieldByEdit(::GetDlgCtrlID(focus));
}

CPanelField* CSettingPanel::FieldBySpin(HWND scrollBar) const {
  if (scrollBar == nullptr) return nullptr;
  int id = ::GetDlgCtrlID(scrollBar);
  for (CPanelField* field : m_fields)
    if (field->SpinId() == id) return field;
  return nullptr;
}

EHandled CSettingPanel::OnEditSetFocus(UINT id) {
  CPanelField* field = FieldByEdit(static_cast<int>(id));
  if (field == nullptr) return EHandled::kDeclined;
  if (!AltKeyHeld() || m_givingFirstFocus) return EHandled::kTaken;
  CIoActionScope action(ReadOrActionName(field->EditId(), "focus"));
  std::optional<CWaitCursor> wait;
  if (field->ShowsWaitCursorOnAltRead()) wait.emplace();
  if (TryOrReport([field] { field->ShowFromInstrument(); }) && !field->KeepsFocusOnAltRead())
    ::SetFocus(FocusSink());
  return EHandled::kTaken;
}

EHandled CSettingPanel::OnEditKillFocus(UINT id) {
  CPanelField* field = FieldByEdit(static_cast<int>(id));
  if (field == nullptr) return EHandled::kDeclined;
  field->ShowRemembered();
  return EHandled::kTaken;
}

void CSettingPanel::OnOK() {
  CPanelField* field = FieldWithFocus();
  if (field == nullptr) return;
  CIoActionScope action(ActionName(field->EditId(), "Enter"));
  if (!TryOrReportUnderWaitCursor([field] { field->SendTyped(); })) field->AfterSendFailure();
  TryOrReportUnderWaitCursor([field] { field->ReadBackAfterEnter(); });
}

bool CSettingPanel::PreTranslateMessage(MSG& msg) {
  const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
  if (!key || (msg.wParam != VK_UP && msg.wParam != VK_DOWN) || ::GetParent(msg.hwnd) != m_hWnd)
    return CPanelDialog::PreTranslateMessage(msg);
  CPanelField* field = FieldByEdit(::GetDlgCtrlID(msg.hwnd));
  if (field == nullptr) return CPanelDialog::PreTranslateMessage(msg);
  UINT code = msg.wParam == VK_UP ? SB_LINEUP : SB_LINEDOWN;
  if (msg.message == WM_KEYUP) {
    if (!m_keyStepping) return true;
    code = SB_ENDSCROLL;
  }
  m_keyStepping = msg.message == WM_KEYDOWN;
  ::SendMessageA(m_hWnd, WM_VSCROLL, MAKEWPARAM(code, 0),
                 reinterpret_cast<LPARAM>(GetDlgItem(field->SpinId())));
  return true;
}

void CSettingPanel::OnVScroll(UINT code, UINT, HWND scrollBar) {
  // The release repeats the direction of the last press.
  if (code == SB_LINEUP) m_lastArrow = "arrow up";
  if (code == SB_LINEDOWN) m_lastArrow = "arrow down";
  if (m_spinBusy && code != SB_ENDSCROLL) {
    Default();
    return;
  }
  CPanelField* field = FieldBySpin(scrollBar);
  if (field == nullptr) {
    Default();
    return;
  }
  m_spinBusy = 1;
  {
    CIoActionScope action(ActionName(field->EditId(), m_lastArrow));
    CWaitCursor wait;
    switch (code) {
      case SB_LINEUP:
        field->StepShown(true);
        break;
      case SB_LINEDOWN:
        field->StepShown(false);
        break;
      case SB_ENDSCROLL:
        if (!TryOrReport([field] { field->SendShown(); })) field->AfterSendFailure();
        TryOrReport([field] { field->ReadBackAfterSpin(); });
        break;
      default:
        Default();
        break;
    }
  }
  m_spinBusy = 0;
}

CComboSetting* CSettingPanel::ComboById(int id) const {
  for (CComboSetting* combo : m_combos)
    if (combo->Id() == id) return combo;
  return nullptr;
}

EHandled CSettingPanel::OnComboSelChange(UINT id) {
  CComboSetting* combo = ComboById(static_cast<int>(id));
  if (combo == nullptr) return EHandled::kDeclined;
  CIoActionScope action(ReadOrActionName(combo->Id(), "choice"));
  combo->OnSelectionChanged(FocusSink());
  return EHandled::kTaken;
}

EHandled CSettingPanel::OnComboDropDown(UINT id) {
  CComboSetting* combo = ComboById(static_cast<int>(id));
  if (combo == nullptr) return EHandled::kDeclined;
  CIoActionScope action(ReadOrActionName(combo->Id(), "list opened"));
  combo->OnDropDown();
  return EHandled::kTaken;
}

EHandled CSettingPanel::OnButtonClicked(UINT id) {
  for (CToggleSetting* toggle : m_toggles) {
    if (toggle->Id() == static_cast<int>(id)) {
      CIoActionScope action(ReadOrActionName(toggle->Id(), "click"));
      toggle->OnClick();
      return EHandled::kTaken;
    }
  }
  for (const auto& [buttonId, operation] : m_commandButtons) {
    if (buttonId == static_cast<int>(id)) {
      CIoActionScope action(ButtonActionName(buttonId));
      TryOrReportUnderWaitCursor([operation = operation] { (Instrument().*operation)(); });
      return EHandled::kTaken;
    }
  }
  return EHandled::kDeclined;
}

// A click on the panel itself takes the focus out of a field, discarding what
// was typed there.
void CSettingPanel::OnLButtonDown(UINT, POINT) {
  if (CPanelField* field = FieldWithFocus()) {
    field->ShowRemembered();
    ::SetFocus(FocusSink());
  }
  Default();
}

// A toggle forwards its double-click, so that it acts as a second click.
void CSettingPanel::OnLButtonDblClk(UINT, POINT point) {
  for (CToggleSetting* toggle : m_toggles) {
    if (toggle->Contains(point)) {
      toggle->OnClick();
      break;
    }
  }
  Default();
}

HBRUSH CSettingPanel::OnCtlColor(HDC dc, HWND control, UINT kind) {
  for (CPanelField* field : m_fields)
    if (HBRUSH brush = field->CtlColor(dc, control, kind)) return brush;
  return nullptr;
}
