// A drop-down list bound to a coded setting: the item index is the code unless
// the panel translates between the two.
#pragma once

#include <cstdint>
#include <functional>

#include "instrument/setting_table.h"
#include "panels/panel_element.h"

class CWnd;

class CComboSetting : public CPanelElement {
 public:
  CComboSetting(CWnd* dialog, int id, ESetting setting);

  // The selection is read back from the instrument after each Set.
  CComboSetting& ReadBackAfterSet();
  // Further steps after the Set, in one guard.
  CComboSetting& AfterSet(std::function<void()> steps);
  // Runs after a rejected Set, once the failure has been reported.
  CComboSetting& AfterSetFailure(std::function<void()> steps);
  CComboSetting& Translate(int (*codeToIndex)(int16_t), int16_t (*indexToCode)(int));

  int Id() const { return m_id; }
  void ShowRemembered() override;
  void ShowFromInstrument() override;

  // The operator chose an item: sent, or with Alt read from the instrument.
  void OnSelectionChanged(HWND focusSink);
  // The list opened: with Alt the selection is read from the instrument.
  void OnDropDown();

 private:
  void ShowCode(int16_t query);
  void Select(int16_t code);

  CWnd* m_dialog;
  int m_id;
  const CSetting& m_row;
  bool m_readBack = false;
  std::function<void()> m_afterSet;
  std::function<void()> m_afterSetFailure;
  int (*m_codeToIndex)(int16_t) = nullptr;
  int16_t (*m_indexToCode)(int) = nullptr;
};

// The trigger-source list "External", "TTLT0" ... "TTLT7", which offers only a
// part of the instrument's trigger sources. Immediate, External and BUS all
// show as "External"; an item sends EXT or its trigger line, and so does an
// empty selection (index -1).
int ExternalOrTtlIndex(int16_t triggerSource);
int16_t ExternalOrTtlSource(int index);
