// The toggle's press / commit state machine, on the Main panel's load toggle.
#include "controls/toggle_button.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/panel_driver.h"
#include "tests/support/recording_instrument.h"

namespace {

using Calls = std::vector<std::string>;

TEST(TogglePaint, OnlyASelectionChangeToSelectedIsAPress) {
  EXPECT_TRUE(IsPressPaint(ODA_SELECT, ODS_SELECTED));
  EXPECT_TRUE(IsPressPaint(ODA_SELECT | ODA_DRAWENTIRE, ODS_SELECTED | ODS_FOCUS));
  EXPECT_FALSE(IsPressPaint(ODA_SELECT, 0));  // the mouse went up
  EXPECT_FALSE(IsPressPaint(ODA_DRAWENTIRE, ODS_SELECTED));
  EXPECT_FALSE(IsPressPaint(ODA_FOCUS, ODS_SELECTED | ODS_FOCUS));
  EXPECT_EQ(OppositeState(0), 1);
  EXPECT_EQ(OppositeState(1), 0);
}

class ToggleButton : public ::testing::Test {
 protected:
  void SetUp() override {
    instrument = new CRecordingInstrument();
    app.Start(instrument);
    panel = app.Panel();
    ASSERT_NE(panel, nullptr);
    button = ::GetDlgItem(panel, IDC_MAIN_LOAD);
    toggle = dynamic_cast<CToggleButton*>(CWnd::FromHandle(button));
    ASSERT_NE(toggle, nullptr);
    instrument->Take();
  }
  LPARAM Inside() const {
    RECT r;
    ::GetClientRect(button, &r);
    return MAKELPARAM(r.right / 2, r.bottom / 2);
  }
  LPARAM Outside() const {
    RECT r;
    ::GetClientRect(button, &r);
    return MAKELPARAM(r.right + 40, r.bottom + 40);
  }
  void Press() {
    ::SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, Inside());
    PumpMessages();
  }
  void Release(LPARAM at) {
    ::SendMessageA(button, WM_LBUTTONUP, 0, at);
    PumpMessages();
  }
  Calls LoadSets() {
    Calls sets;
    for (const std::string& call : instrument->Take())
      if (call.rfind("SetLoad", 0) == 0) sets.push_back(call);
    return sets;
  }

  CAppFixture app;
  CRecordingInstrument* instrument = nullptr;
  HWND panel = nullptr;
  HWND button = nullptr;
  CToggleButton* toggle = nullptr;
};

TEST_F(ToggleButton, StartsShowingTheRememberedLoad) {
  EXPECT_EQ(toggle->m_shown, 1);  // 50 ohms
  EXPECT_EQ(toggle->m_requested, 1);
}

TEST_F(ToggleButton, APressArmsTheOppositeStateWithoutShowingIt) {
  Press();
  EXPECT_EQ(toggle->m_requested, 0);
  EXPECT_EQ(toggle->m_shown, 1);
  EXPECT_EQ(toggle->m_pressPending, 0);  // consumed by the pressed paint
  EXPECT_TRUE(LoadSets().empty());
  Release(Inside());
  EXPECT_EQ(LoadSets(), Calls{"SetLoad(0)"});
  EXPECT_EQ(toggle->m_shown, 0);
  EXPECT_EQ(toggle->m_requested, 0);
}

TEST_F(ToggleButton, ReleasedAwayItChangesNothingAndTheNextClickTogglesOnce) {
  Press();
  Release(Outside());
  EXPECT_TRUE(LoadSets().empty());
  EXPECT_EQ(toggle->m_shown, 1);
  Press();
  Release(Inside());
  EXPECT_EQ(LoadSets(), Calls{"SetLoad(0)"});
  EXPECT_EQ(toggle->m_shown, 0);
}

TEST_F(ToggleButton, SetStateShowsAReadValueAsZeroOrOne) {
  toggle->SetState(0);
  EXPECT_EQ(toggle->m_shown, 0);
  EXPECT_EQ(toggle->m_requested, 0);
  toggle->SetState(37);
  EXPECT_EQ(toggle->m_shown, 1);
  EXPECT_EQ(toggle->m_requested, 1);
}

TEST_F(ToggleButton, CarriesOneCaptionPerState) {
  EXPECT_EQ(toggle->m_caption0, "Infinity");
  EXPECT_EQ(toggle->m_caption1, "50 Ohms");
}

}  // namespace
