// The AM panel on the recording instrument and on the in-memory instrument.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using AmPanel = CPanelTestOf<ID_PANELS_AM>;

TEST_F(AmPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_AM_TITLE), "Amplitude Modulation Panel");
  EXPECT_EQ(Text(IDC_AM_DEPTH), "100 %");
  EXPECT_EQ(Text(IDC_AM_FREQ), "100 Hz");
  EXPECT_EQ(Text(IDC_AM_USER), "SINC");
  EXPECT_EQ(Items(IDC_AM_FUNC),
            (Calls{"Sinusoid", "Square", "Triangle", "Ramp", "Noise", "User"}));
  EXPECT_EQ(Items(IDC_AM_SOURCE), (Calls{"Both", "External"}));
  EXPECT_EQ(ToggleCaption(IDC_AM_STATE), "Off");
  EXPECT_EQ(FocusedId(), IDC_AM_SOURCE);  // the panel opens on its first control
  Redisplay();
  EXPECT_EQ(FocusedId(), IDC_AM_TITLE);  // a redisplay gives the focus to the title
  EXPECT_EQ(::SendDlgItemMessageA(panel, IDC_AM_USER, EM_GETLIMITTEXT, 0, 0), 12);
}

TEST_F(AmPanel, DepthIsClampedAtBothEnds) {
  EnterValue(panel, IDC_AM_DEPTH, "150");
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmDepth(120)", "GetAmDepth(1)"}));
  EXPECT_EQ(Text(IDC_AM_DEPTH), "120 %");
  EnterValue(panel, IDC_AM_DEPTH, "-5");
  EXPECT_EQ(TakeSets(), Calls{"SetAmDepth(0)"});
  EnterValue(panel, IDC_AM_DEPTH, "deep");
  EXPECT_EQ(TakeSets(), Calls{"SetAmDepth(0)"});
  EXPECT_EQ(Text(IDC_AM_DEPTH), "0 %");
}

TEST_F(AmPanel, DepthArrowsStepByOneAndStopAtTheLimits) {
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_DEPTH), "101 %");
  TypeInto(panel, IDC_AM_DEPTH, "119");
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_LINEUP);
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_DEPTH), "120 %");
  TypeInto(panel, IDC_AM_DEPTH, "1");
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_LINEDOWN);
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_AM_DEPTH), "0 %");
  EXPECT_TRUE(instrument->Take().empty());
  Spin(panel, IDC_AM_DEPTH_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmDepth(0)", "GetAmDepth(1)"}));
}

TEST_F(AmPanel, FrequencyIsClampedAtBothEnds) {
  EnterValue(panel, IDC_AM_FREQ, "0");
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmFreq(0.01)", "GetAmFreq(1)"}));
  EXPECT_EQ(Text(IDC_AM_FREQ), "10 mHz");
  EnterValue(panel, IDC_AM_FREQ, "25k");
  EXPECT_EQ(TakeSets(), Calls{"SetAmFreq(20000)"});
  EXPECT_EQ(Text(IDC_AM_FREQ), "20 kHz");
}

TEST_F(AmPanel, FrequencyArrowsStepByDecadesUpToTheMaximum) {
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_FREQ), "200 Hz");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_FREQ), "300 Hz");
  TypeInto(panel, IDC_AM_FREQ, "10k");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_FREQ), "20 kHz");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmFreq(20000)", "GetAmFreq(1)"}));
}

// The release sends what the field shows; only the arrows clamp, each at its
// own end.
TEST_F(AmPanel, ZeroStaysZeroUpwardsAndIsSentUnclamped) {
  TypeInto(panel, IDC_AM_FREQ, "0");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_FREQ), "0 Hz");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(TakeSets(), Calls{"SetAmFreq(0)"});
  TypeInto(panel, IDC_AM_FREQ, "0");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_AM_FREQ), "10 mHz");
}

TEST_F(AmPanel, NegativeFrequencyStepsUpAsASignedNumberAndDownToTheMinimum) {
  TypeInto(panel, IDC_AM_FREQ, "-100");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_AM_FREQ), "-90 Hz");
  TypeInto(panel, IDC_AM_FREQ, "-100");
  Spin(panel, IDC_AM_FREQ_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_AM_FREQ), "10 mHz");
}

TEST(AmPanelNonLive, EveryActionWorksWithoutAMessage) {
  CBoxWatcher boxes;
  CAppFixture app;
  app.Start(new CNonLiveInstrument());
  app.Command(ID_PANELS_AM);
  HWND panel = app.Panel();
  ASSERT_NE(panel, nullptr);
  EnterValue(panel, IDC_AM_DEPTH, "50");
  SpinAndRelease(panel, IDC_AM_FREQ_SPIN, true);
  ChooseItem(panel, IDC_AM_FUNC, 2);
  ClickButton(panel, IDC_AM_STATE);
  EnterValue(panel, IDC_AM_USER, "EXP_RISE");
  EXPECT_EQ(TextOf(panel, IDC_AM_DEPTH), "50 %");
  EXPECT_EQ(TextOf(panel, IDC_AM_FREQ), "200 Hz");
  EXPECT_EQ(TextOf(panel, IDC_AM_USER), "EXP_RISE");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

}  // namespace
