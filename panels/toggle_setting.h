// A two-state toggle button bound to an on/off setting; after a change the
// panel's read-back steps show what the instrument holds.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "instrument/setting_table.h"
#include "panels/panel_element.h"

class CToggleButton;
class CWnd;

class CToggleSetting : public CPanelElement {
 public:
  // Attaches a toggle of the setting to button `id` with the captions of
  // states 0 and 1 (string-table ids) and the button-face colour.
  CToggleSetting(CWnd* dialog, int id, unsigned caption0, unsigned caption1, ESetting setting);
  ~CToggleSetting() override;

  // The steps after a Set, in one guard.
  CToggleSetting& ReadBack(std::function<void()> steps);
  // Runs after a rejected Set, once the failure has been reported.
  CToggleSetting& AfterSetFailure(std::function<void()> steps);

  int Id() const { return m_id; }
  CToggleButton& Button() { return *m_button; }
  // The state shown: the one last sent or read.
  int16_t State() const;

  void ShowRemembered() override;
  void ShowFromInstrument() override;

  // A click: the new state is sent, or with Alt the state is read.
  void OnClick();
  // Whether a point in the dialog's client coordinates lies on the button.
  bool Contains(POINT dialogPoint) const;

 private:
  void ShowState(int16_t query);

  CWnd* m_dialog;
  int m_id;
  std::unique_ptr<CToggleButton> m_button;
  const CSetting& m_row;
  std::function<void()> m_readBack;
  std::function<void()> m_afterSetFailure;
};
