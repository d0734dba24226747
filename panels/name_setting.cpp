#include "panels/name_setting.h"

#include "framework/win32/wnd.h"
#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "panels/panel_host.h"

namespace {
const char* const kNames[] = {"SINC", "NEG_RAMP", "EXP_RISE", "EXP_FALL", "CARDIAC"};
const int kNameCount = 5;
}  // namespace

// Going down, the first of SINC..EXP_FALL found anywhere in the text gives the
// name after it; going up, the first of NEG_RAMP..CARDIAC gives the one before.
// Text holding none of them wraps to the list's other end.
std::string NextUserName(const std::string& text, bool up) {
  if (up) {
    for (int i = 1; i < kNameCount; ++i)
      if (text.find(kNames[i]) != std::string::npos) return kNames[i - 1];
    return kNames[kNameCount - 1];
  }
  for (int i = 0; i < kNameCount - 1; ++i)
    if (text.find(kNames[i]) != std::string::npos) return kNames[i + 1];
  return kNames[0];
}

CNameSetting::CNameSetting(CWnd* dialog, int editId, int spinId)
    : CPanelField(editId, spinId), m_dialog(dialog) {
  // A limit on typing only: a name the instrument reports may be longer.
  ::SendDlgItemMessageA(dialog->m_hWnd, editId, EM_LIMITTEXT, kMaxNameLength, 0);
}

std::string CNameSetting::Text() const {
  char text[kUserFuncTextSize] = "";
  ::GetDlgItemTextA(m_dialog->m_hWnd, EditId(), text, sizeof text);
  return text;
}

void CNameSetting::Write(const std::string& text) {
  ::SetDlgItemTextA(m_dialog->m_hWnd, EditId(), text.c_str());
}

void CNameSetting::ShowRemembered() {
  std::string name;
  Instrument().GetUserFunc(name, 0);
  Write(name);
}

void CNameSetting::ShowFromInstrument() {
  std::string name;
  Instrument().GetUserFunc(name, 1);
  Write(name);
}

void CNameSetting::SendTyped() { Instrument().SetUserFunc(Text()); }

void CNameSetting::StepShown(bool up) { Write(NextUserName(Text(), up)); }

void CNameSetting::SendShown() { Instrument().SetUserFunc(Text()); }
