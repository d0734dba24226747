#include "tests/support/panel_test.h"

#include "app/sfp_app.h"
#include "controls/text_button.h"
#include "controls/text_panel.h"
#include "controls/toggle_button.h"
#include "panels/panel.h"
#include "tests/support/panel_driver.h"

void CPanelTest::Open(UINT panelCommand, CRecordingInstrument* recording) {
  instrument = recording != nullptr ? recording : new CRecordingInstrument();
  app.Start(instrument);
  app.Command(panelCommand);
  PumpMessages();
  panel = app.Panel();
  ASSERT_NE(panel, nullptr);
  instrument->Take();
}

Calls CPanelTest::TakeSets() {
  Calls sets;
  for (const std::string& call : instrument->Take())
    if (call.rfind("Set", 0) == 0) sets.push_back(call);
  return sets;
}

CToggleButton& CPanelTest::Toggle(int id) const { return Control<CToggleButton>(id); }

namespace {
std::string CaptionOf(const CToggleButton& toggle) {
  return toggle.m_shown ? toggle.m_caption1 : toggle.m_caption0;
}
}  // namespace

std::string CPanelTest::ToggleCaption(int id) const { return CaptionOf(Toggle(id)); }

std::string CPanelTest::PlateText(int id) const { return Control<CTextPanel>(id).m_caption; }

Calls CPanelTest::Items(int comboId) const {
  Calls items;
  for (int i = 0; i < ItemCount(panel, comboId); ++i) items.push_back(ItemText(panel, comboId, i));
  return items;
}

std::string ShownIn(HWND dialog, int id) {
  HWND window = ::GetDlgItem(dialog, id);
  char className[16] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (::lstrcmpiA(className, "ComboBox") == 0) {
    int chosen = SelectedItem(dialog, id);
    return chosen == CB_ERR ? "" : ItemText(dialog, id, chosen);
  }
  CWnd* control = CWnd::FromHandle(window);
  if (auto* toggle = dynamic_cast<CToggleButton*>(control)) return CaptionOf(*toggle);
  if (auto* button = dynamic_cast<CTextButton*>(control)) return button->m_caption;
  if (auto* plate = dynamic_cast<CTextPanel*>(control)) return plate->m_caption;
  return TextOf(dialog, id);
}

void CPanelTest::Redisplay() const { theApp.m_pCurrentPanel->UpdatePanel(); }
