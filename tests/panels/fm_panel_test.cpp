// The FM panel on the recording instrument.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using FmPanel = CPanelTestOf<ID_PANELS_FM>;

TEST_F(FmPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_FM_TITLE), "Frequency Modulation Panel");
  EXPECT_EQ(Text(IDC_FM_DEV), "100 Hz");
  EXPECT_EQ(Text(IDC_FM_FREQ), "100 Hz");
  EXPECT_EQ(Text(IDC_FM_USER), "SINC");
  EXPECT_EQ(Items(IDC_FM_FUNC),
            (Calls{"Sinusoid", "Square", "Triangle", "Ramp", "Noise", "User"}));
  EXPECT_EQ(ToggleCaption(IDC_FM_STATE), "Off");
  EXPECT_EQ(FocusedId(), IDC_FM_FUNC);  // the panel opens on its first control
  Redisplay();
  EXPECT_EQ(FocusedId(), IDC_FM_TITLE);  // a redisplay gives the focus to the title
}

TEST_F(FmPanel, DeviationIsClampedAtBothEnds) {
  EnterValue(panel, IDC_FM_DEV, "10M");
  EXPECT_EQ(instrument->Take(), (Calls{"SetFmDev(7500000)", "GetFmDev(1)"}));
  EXPECT_EQ(Text(IDC_FM_DEV), "7.5 MHz");
  EnterValue(panel, IDC_FM_DEV, "0");
  EXPECT_EQ(TakeSets(), Calls{"SetFmDev(0.01)"});
  EXPECT_EQ(Text(IDC_FM_DEV), "10 mHz");
}

TEST_F(FmPanel, DeviationArrowsStopAtTheirLimits) {
  TypeInto(panel, IDC_FM_DEV, "7M");
  Spin(panel, IDC_FM_DEV_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_FM_DEV), "7.5 MHz");
  TypeInto(panel, IDC_FM_DEV, "20m");
  Spin(panel, IDC_FM_DEV_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_FM_DEV), "10 mHz");
  Spin(panel, IDC_FM_DEV_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_FM_DEV), "10 mHz");
  EXPECT_TRUE(instrument->Take().empty());
}

// The FM modulating frequency stops at 10 kHz, the AM one at 20 kHz.
TEST_F(FmPanel, FrequencyStopsAtTenKilohertz) {
  EnterValue(panel, IDC_FM_FREQ, "20k");
  EXPECT_EQ(instrument->Take(), (Calls{"SetFmFreq(10000)", "GetFmFreq(1)"}));
  EXPECT_EQ(Text(IDC_FM_FREQ), "10 kHz");
  EnterValue(panel, IDC_FM_FREQ, "none");
  EXPECT_EQ(TakeSets(), Calls{"SetFmFreq(0.01)"});
  TypeInto(panel, IDC_FM_FREQ, "9k");
  Spin(panel, IDC_FM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_FM_FREQ), "10 kHz");
  Spin(panel, IDC_FM_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_FM_FREQ), "10 kHz");
}

TEST_F(FmPanel, SwitchingFmOnShowsTheReReadFrequencyAndDeviation) {
  TypeInto(panel, IDC_FM_FREQ, "3k");
  TypeInto(panel, IDC_FM_DEV, "4k");
  ClickButton(panel, IDC_FM_STATE);
  EXPECT_EQ(Text(IDC_FM_FREQ), "100 Hz");
  EXPECT_EQ(Text(IDC_FM_DEV), "100 Hz");
}

TEST_F(FmPanel, NameArrowsWalkTheListAndSendOnRelease) {
  SpinAndRelease(panel, IDC_FM_USER_SPIN, false, 2);
  EXPECT_EQ(instrument->Take(), (Calls{"SetUserFunc(EXP_RISE)", "GetUserFunc(1)"}));
  EXPECT_EQ(Text(IDC_FM_USER), "EXP_RISE");
  EXPECT_EQ(instrument->m_waitDepthAt["GetUserFunc(1)"], 1);
}

}  // namespace
