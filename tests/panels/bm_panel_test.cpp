// The BM panel on the recording instrument and on the in-memory instrument.
#include <gtest/gtest.h>

#include "controls/toggle_button.h"
#include "framework/win32/wait_cursor.h"
#include "res/resource.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using BmPanel = CPanelTestOf<ID_PANELS_BM>;

TEST_F(BmPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_BM_TITLE), "Burst Modulation Panel");
  EXPECT_EQ(Text(IDC_BM_COUNT), "1 Cycles");
  EXPECT_EQ(Text(IDC_BM_PHASE), "0 Deg");
  EXPECT_EQ(Text(IDC_BM_RATE), "100 Hz");
  EXPECT_EQ(Items(IDC_BM_MODE), (Calls{"Burst (Internal)", "Gated (External)"}));
  EXPECT_EQ(Items(IDC_BM_TRIG_SOURCE),
            (Calls{"Immediate", "External", "BUS", "TTLT0", "TTLT1", "TTLT2", "TTLT3", "TTLT4",
                   "TTLT5", "TTLT6", "TTLT7"}));
  EXPECT_EQ(SelectedItem(panel, IDC_BM_MODE), 0);
  EXPECT_EQ(SelectedItem(panel, IDC_BM_TRIG_SOURCE), 0);
  EXPECT_EQ(ToggleCaption(IDC_BM_STATE), "Off");
  EXPECT_EQ(ToggleCaption(IDC_BM_SLOPE), "Normal");
  EXPECT_EQ(Toggle(IDC_BM_SLOPE).m_caption0, "Inverted");
  EXPECT_EQ(Toggle(IDC_BM_STATE).m_caption1, "On");
  EXPECT_EQ(FocusedId(), IDC_BM_MODE);  // the panel opens on its first control
  Redisplay();
  EXPECT_EQ(FocusedId(), IDC_BM_TITLE);  // a redisplay gives the focus to the title
}

TEST_F(BmPanel, LargeCountsAreWrittenUnscaledAndAnInfiniteOneAsInf) {
  instrument->m_bmCount = 50000;
  instrument->m_bmRate = 50000;
  app.Command(ID_SYSTEM_SYNC);  // redisplays from the remembered state
  EXPECT_EQ(Text(IDC_BM_COUNT), "50000 Cycles");
  EXPECT_EQ(Text(IDC_BM_RATE), "50 kHz");
  instrument->m_bmCount = 0;
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
}

TEST_F(BmPanel, EnterSendsTheCountTruncatedAndShowsTheReadBack) {
  EnterValue(panel, IDC_BM_COUNT, "2.7");
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmCount(2)", "GetBmCount(1)"}));
  EXPECT_EQ(Text(IDC_BM_COUNT), "2 Cycles");
  EnterValue(panel, IDC_BM_COUNT, "50000");
  EXPECT_EQ(TakeSets(), Calls{"SetBmCount(50000)"});
  EXPECT_EQ(Text(IDC_BM_COUNT), "50000 Cycles");
}

TEST_F(BmPanel, EnterSendsZeroNegativeAndNonsenseAsAnInfiniteCount) {
  for (const char* typed : {"0", "-5", "abc"}) {
    EnterValue(panel, IDC_BM_COUNT, "7");
    instrument->Take();
    EnterValue(panel, IDC_BM_COUNT, typed);
    EXPECT_EQ(TakeSets(), Calls{"SetBmCount(0)"}) << typed;
    EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles") << typed;
  }
}

// The in-memory instrument keeps 50001 as it is, so the count then reads back
// as a number.
TEST_F(BmPanel, EnterAboveTheRangeOrWithInfSends50001) {
  EnterValue(panel, IDC_BM_COUNT, "60000");
  EXPECT_EQ(TakeSets(), Calls{"SetBmCount(50001)"});
  EnterValue(panel, IDC_BM_COUNT, "inf");
  EXPECT_EQ(TakeSets(), Calls{"SetBmCount(50001)"});
  EXPECT_EQ(instrument->m_bmCount, 50001);
  EXPECT_EQ(Text(IDC_BM_COUNT), "50001 Cycles");
}

TEST_F(BmPanel, CountArrowsStepByOneBetweenOneAndInf) {
  TypeInto(panel, IDC_BM_COUNT, "49999");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "50000 Cycles");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_COUNT), "50000 Cycles");
  TypeInto(panel, IDC_BM_COUNT, "2");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_COUNT), "1 Cycles");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_COUNT), "1 Cycles");
  TypeInto(panel, IDC_BM_COUNT, "0");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "1 Cycles");
  EXPECT_TRUE(instrument->Take().empty());
}

TEST_F(BmPanel, CountArrowsTreatTypedCountsAbove50001AsInf) {
  TypeInto(panel, IDC_BM_COUNT, "50001");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  TypeInto(panel, IDC_BM_COUNT, "70000");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  TypeInto(panel, IDC_BM_COUNT, "70000");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_COUNT), "50000 Cycles");
  TypeInto(panel, IDC_BM_COUNT, "70000");
  Spin(panel, IDC_BM_COUNT_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(TakeSets(), Calls{"SetBmCount(0)"});
}

TEST_F(BmPanel, ReleasingTheArrowAtInfSendsZeroWhichShowsAsInf) {
  TypeInto(panel, IDC_BM_COUNT, "50000");
  SpinAndRelease(panel, IDC_BM_COUNT_SPIN, true);
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmCount(0)", "GetBmCount(1)"}));
  EXPECT_EQ(instrument->m_bmCount, 0);
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  SpinAndRelease(panel, IDC_BM_COUNT_SPIN, false, 3);
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmCount(49998)", "GetBmCount(1)"}));
  EXPECT_EQ(Text(IDC_BM_COUNT), "49998 Cycles");
}

TEST_F(BmPanel, ARejectedCountAndAFailedCarrierReadAreBothReported) {
  CBoxWatcher boxes;
  instrument->Fail("SetBmCount", -1);
  instrument->Fail("GetFreq", static_cast<int32_t>(0xBFFF0015));
  TypeInto(panel, IDC_BM_COUNT, "5");
  SpinAndRelease(panel, IDC_BM_COUNT_SPIN, true);
  EXPECT_EQ(boxes.Texts(), (Calls{"API failure.", "Time Out !"}));
  EXPECT_EQ(instrument->Take(),
            (Calls{"SetBmCount(6)", "GetFreq(1)", "DeviceClear()", "GetBmCount(1)"}));
  EXPECT_EQ(WaitCursorDepth(), 0);
}

TEST_F(BmPanel, PhaseStepsByOneDegreeAndStopsAtPlusMinus360) {
  EnterValue(panel, IDC_BM_PHASE, "400");
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmPhase(360)", "GetBmPhase(1)"}));
  EXPECT_EQ(Text(IDC_BM_PHASE), "360 Deg");
  EnterValue(panel, IDC_BM_PHASE, "-400");
  EXPECT_EQ(TakeSets(), Calls{"SetBmPhase(-360)"});
  EXPECT_EQ(Text(IDC_BM_PHASE), "-360 Deg");
  Spin(panel, IDC_BM_PHASE_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_PHASE), "-360 Deg");
  Spin(panel, IDC_BM_PHASE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_PHASE), "-359 Deg");
  TypeInto(panel, IDC_BM_PHASE, "359");
  Spin(panel, IDC_BM_PHASE_SPIN, SB_LINEUP);
  Spin(panel, IDC_BM_PHASE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_PHASE), "360 Deg");
  Spin(panel, IDC_BM_PHASE_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmPhase(360)", "GetBmPhase(1)"}));
}

TEST_F(BmPanel, RateIsClampedAndStepsByDecades) {
  EnterValue(panel, IDC_BM_RATE, "1M");
  EXPECT_EQ(instrument->Take(), (Calls{"SetBmRate(50000)", "GetBmRate(1)"}));
  EXPECT_EQ(Text(IDC_BM_RATE), "50 kHz");
  EnterValue(panel, IDC_BM_RATE, "0");
  EXPECT_EQ(TakeSets(), Calls{"SetBmRate(0.01)"});
  EXPECT_EQ(Text(IDC_BM_RATE), "10 mHz");
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_RATE), "10 mHz");
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_RATE), "20 mHz");
  TypeInto(panel, IDC_BM_RATE, "40k");
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEUP);
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_RATE), "50 kHz");
}

// A negative rate steps as a signed number: up makes it larger, down smaller,
// and the lower arrow then stops at the minimum.
TEST_F(BmPanel, NegativeRateStepsTowardsTheLimits) {
  TypeInto(panel, IDC_BM_RATE, "-5");
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_BM_RATE), "-4 Hz");
  TypeInto(panel, IDC_BM_RATE, "-5");
  Spin(panel, IDC_BM_RATE_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_BM_RATE), "10 mHz");
  EXPECT_TRUE(instrument->Take().empty());
}

TEST_F(BmPanel, AFailedBusTriggerIsReportedAndNothingElseIsAsked) {
  CBoxWatcher boxes;
  instrument->Fail("Trigger", static_cast<int32_t>(0xBFFC0008));
  ClickButton(panel, IDC_BM_BUS_TRIGGER);
  EXPECT_EQ(boxes.Texts(), Calls{"I/O requests too fast."});
  EXPECT_EQ(instrument->Take(), Calls{"Trigger()"});
  EXPECT_EQ(WaitCursorDepth(), 0);
}

TEST_F(BmPanel, EscapeInAFieldLeavesThePanelOnScreen) {
  FocusOn(panel, IDC_BM_COUNT);
  PressKey(VK_ESCAPE);
  EXPECT_EQ(app.Panel(), panel);
  EXPECT_TRUE(::IsWindowVisible(panel));
}

// The in-memory instrument stores the count as it comes: 50001 from Enter
// stays a number, the 0 that the arrow sends for INF is infinite.
TEST(BmPanelNonLive, KeepsTheCountAsSentAndNeverShowsAMessage) {
  CBoxWatcher boxes;
  CAppFixture app;
  auto* instrument = new CNonLiveInstrument();
  app.Start(instrument);
  app.Command(ID_PANELS_BM);
  HWND panel = app.Panel();
  ASSERT_NE(panel, nullptr);
  EnterValue(panel, IDC_BM_COUNT, "INF");
  EXPECT_EQ(instrument->m_bmCount, 50001);
  EXPECT_EQ(TextOf(panel, IDC_BM_COUNT), "50001 Cycles");
  TypeInto(panel, IDC_BM_COUNT, "INF");
  SpinAndRelease(panel, IDC_BM_COUNT_SPIN, true);
  EXPECT_EQ(instrument->m_bmCount, 0);
  EXPECT_EQ(TextOf(panel, IDC_BM_COUNT), "INF Cycles");
  ClickButton(panel, IDC_BM_BUS_TRIGGER);
  ClickButton(panel, IDC_BM_STATE);
  ChooseItem(panel, IDC_BM_MODE, 1);
  EXPECT_EQ(instrument->m_bmState, 1);
  EXPECT_EQ(instrument->m_bmSource, 1);
  EXPECT_TRUE(boxes.m_boxes.empty());
}

}  // namespace
