// The toggle's press / commit state machine, on the Main panel's load toggle,
// and the hit test of a panel's toggles.
#include "controls/toggle_button.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/panel_test.h"

namespace {

TEST(TogglePaint, OnlyASelectionChangeToSelectedIsAPress) {
  EXPECT_TRUE(IsPressPaint(ODA_SELECT, ODS_SELECTED));
  EXPECT_TRUE(IsPressPaint(ODA_SELECT | ODA_DRAWENTIRE, ODS_SELECTED | ODS_FOCUS));
  EXPECT_FALSE(IsPressPaint(ODA_SELECT, 0));  // the mouse went up
  EXPECT_FALSE(IsPressPaint(ODA_DRAWENTIRE, ODS_SELECTED));
  EXPECT_FALSE(IsPressPaint(ODA_FOCUS, ODS_SELECTED | ODS_FOCUS));
  EXPECT_EQ(OppositeState(0), 1);
  EXPECT_EQ(OppositeState(1), 0);
}

class ToggleButton : public CPanelTest {
 protected:
  void SetUp() override {
    Open(ID_PANELS_MAIN);
    button = ::GetDlgItem(panel, IDC_MAIN_LOAD);
    toggle = dynamic_cast<CToggleButton*>(CWnd::FromHandle(button));
    ASSERT_NE(toggle, nullptr);
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
  EXPECT_TRUE(TakeSets().empty());
  Release(Inside());
  EXPECT_EQ(TakeSets(), Calls{"SetLoad(0)"});
  EXPECT_EQ(toggle->m_shown, 0);
  EXPECT_EQ(toggle->m_requested, 0);
}

TEST_F(ToggleButton, ReleasedAwayItChangesNothingAndTheNextClickTogglesOnce) {
  Press();
  Release(Outside());
  EXPECT_TRUE(TakeSets().empty());
  EXPECT_EQ(toggle->m_shown, 1);
  Press();
  Release(Inside());
  EXPECT_EQ(TakeSets(), Calls{"SetLoad(0)"});
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

// The panel passes a forwarded double-click to its toggles in turn; each tests
// the point against its own window's rectangle.
class PanelToggles : public CPanelTestOf<ID_PANELS_SWEEP> {
 protected:
  // Control `id`'s rectangle in the panel's client coordinates.
  RECT InPanel(int id) const {
    RECT r;
    ::GetWindowRect(::GetDlgItem(panel, id), &r);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  void DoubleClickAt(POINT point) const {
    ::SendMessageA(panel, WM_LBUTTONDBLCLK, 0, MAKELPARAM(point.x, point.y));
  }
};

POINT CentreOf(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST_F(PanelToggles, AToggleWhoseWindowHasGoneIsNeverHit) {
  DoubleClickAt(CentreOf(InPanel(IDC_SWEEP_SLOPE)));
  EXPECT_EQ(TakeSets(), Calls{"SetTrigSlope(1)"});  // the state it shows, unpressed
  ::DestroyWindow(::GetDlgItem(panel, IDC_SWEEP_SLOPE));
  // A point off the state toggle, which is tested first, but inside its
  // rectangle mapped into the panel a second time: the slope toggle, having no
  // rectangle of its own, must not answer with the one worked out before it.
  const RECT state = InPanel(IDC_SWEEP_STATE);
  POINT origin = {0, 0};
  ::ClientToScreen(panel, &origin);
  const POINT point = {CentreOf(state).x - origin.x, CentreOf(state).y - origin.y};
  ASSERT_FALSE(::PtInRect(&state, point));
  DoubleClickAt(point);
  EXPECT_TRUE(TakeSets().empty());
}

}  // namespace
