// The dialog of a panel of settings: it holds the panel's fields, combo boxes
// and toggles, and gives them the behaviour every setting panel shares (focus,
// Enter, spin arrows, Alt read-backs, background click, double-click, colours).
// A panel declares its elements in the order of its redisplay.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "panels/combo_setting.h"
#include "panels/name_setting.h"
#include "panels/numeric_setting.h"
#include "panels/panel_dialog.h"
#include "panels/toggle_setting.h"

class CSettingPanel : public CPanelDialog {
  DECLARE_RUNTIME_CLASS(CSettingPanel)

 public:
  CSettingPanel(UINT templateId, CPanel* owner);
  ~CSettingPanel() override;

  void UpdateControls() override;

  int32_t m_spinBusy = 0;

 protected:
  // Each element names its setting; the setting's row of the table of settings
  // gives its Set and Get, its power-on value and its limits.
  CNumericSetting& AddNumber(int editId, int spinId, ESetting setting, const char* unit);
  CNameSetting& AddUserName(int editId, int spinId);
  CComboSetting& AddCombo(int id, ESetting setting);
  // Toggles are tested for a forwarded double-click in the order they are added.
  CToggleSetting& AddToggle(int id, ESetting setting, unsigned caption0, unsigned caption1);
  // The Off/On toggle of a modulation mode: switching one mode on may switch
  // the others off, so all modes are read again after each change.
  CToggleSetting& AddModeState(int id, ESetting setting);
  // The Inverted/Normal toggle of the trigger slope, read back after each change.
  CToggleSetting& AddTriggerSlope(int id);
  // A push button that runs one instrument operation, guarded, under the wait cursor.
  void AddCommandButton(int id, void (CInstrument::*operation)());
  // Adds an element of the panel's own kind.
  CPanelField& AddField(std::unique_ptr<CPanelField> field);

  // The control that takes the focus away from a field.
  void SetFocusSink(int id, bool focusAfterUpdate);
  HWND FocusSink() const { return GetDlgItem(m_focusSinkId); }

  void OnOK() override;  // Enter
  // Up and Down in a value field work its arrows: each press steps, the
  // release sends.
  bool PreTranslateMessage(MSG& msg) override;

 private:
  CPanelField* FieldWithFocus() const;
  CPanelField* FieldByEdit(int id) const;
  CPanelField* FieldBySpin(HWND scrollBar) const;
  CComboSetting* ComboById(int id) const;

  // Each takes a notification of one of the panel's elements and declines others.
  EHandled OnEditSetFocus(UINT id);
  EHandled OnEditKillFocus(UINT id);
  EHandled OnComboSelChange(UINT id);
  EHandled OnComboDropDown(UINT id);
  EHandled OnButtonClicked(UINT id);
  void OnVScroll(UINT code, UINT position, HWND scrollBar);
  void OnLButtonDown(UINT flags, POINT point);
  void OnLButtonDblClk(UINT flags, POINT point);
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind);

  // Keeps the element in redisplay order and notes it in the list of its kind.
  template <typename Element>
  Element& Keep(std::unique_ptr<Element> element, std::vector<Element*>& kind) {
    kind.push_back(element.get());
    m_elements.push_back(std::move(element));
    return *kind.back();
  }

  std::vector<std::unique_ptr<CPanelElement>> m_elements;  // in redisplay order
  std::vector<CPanelField*> m_fields;
  std::vector<CComboSetting*> m_combos;
  std::vector<CToggleSetting*> m_toggles;
  std::vector<std::pair<int, void (CInstrument::*)()>> m_commandButtons;
  int m_focusSinkId = 0;
  bool m_keyStepping = false;  // an Up or Down key has stepped a field
  const char* m_lastArrow = "arrow";
  bool m_focusSinkAfterUpdate = false;

  DECLARE_MESSAGE_MAP(CSettingPanel)
};
