// The user-waveform name field: text, typed up to 12 characters but holding
// whatever name the instrument reports; its arrows walk a fixed list of names.
#pragma once

#include <string>

#include "panels/panel_element.h"

class CWnd;

class CNameSetting : public CPanelField {
 public:
  CNameSetting(CWnd* dialog, int editId, int spinId);

  void ShowRemembered() override;
  void ShowFromInstrument() override;
  void SendTyped() override;
  void StepShown(bool up) override;
  void SendShown() override;
  bool KeepsFocusOnAltRead() const override { return true; }
  bool ShowsWaitCursorOnAltRead() const override { return false; }

 private:
  std::string Text() const;
  void Write(const std::string& text);

  CWnd* m_dialog;
};

// The name the arrows show after `text`: the next name of the list going down,
// the one before going up.
std::string NextUserName(const std::string& text, bool up);
