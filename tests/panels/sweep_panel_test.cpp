#include "panels/sweep_panel.h"

#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using SweepPanel = CPanelTestOf<ID_PANELS_SWEEP>;

TEST_F(SweepPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_SWEEP_TITLE), "Sweep Panel");
  EXPECT_EQ(Text(IDC_SWEEP_START), "100 Hz");
  EXPECT_EQ(Text(IDC_SWEEP_STOP), "1 kHz");
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 S");
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_STATE), "Off");
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Normal");
  EXPECT_EQ(FocusedId(), IDC_SWEEP_START);  // the panel opens on its first control
  Redisplay();
  EXPECT_EQ(FocusedId(), IDC_SWEEP_TITLE);  // a redisplay gives the focus to the title
  EXPECT_EQ(Items(IDC_SWEEP_SPACING), (Calls{"Linear", "Log"}));
  EXPECT_EQ(Items(IDC_SWEEP_TRIG_SOURCE), (Calls{"Immediate", "External", "BUS", "TTLT0", "TTLT1",
                                                 "TTLT2", "TTLT3", "TTLT4", "TTLT5", "TTLT6",
                                                 "TTLT7"}));
  instrument->m_sweepTime = 0.05;
  instrument->m_sweepSpacing = 1;
  instrument->m_trigSlope = 0;
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "50 mS");
  EXPECT_EQ(SelectedItem(panel, IDC_SWEEP_SPACING), 1);
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Inverted");
}

TEST_F(SweepPanel, FrequenciesAreClampedAndOnlyTheFieldSetIsReadBack) {
  EnterValue(panel, IDC_SWEEP_START, "0.001");
  EXPECT_EQ(instrument->Take(), (Calls{"SetStartFreq(0.01)", "GetStartFreq(1)"}));
  EXPECT_EQ(Text(IDC_SWEEP_START), "10 mHz");
  EnterValue(panel, IDC_SWEEP_START, "20M");
  EXPECT_EQ(TakeSets(), Calls{"SetStartFreq(15000000)"});
  EnterValue(panel, IDC_SWEEP_START, "15M");
  EXPECT_EQ(TakeSets(), Calls{"SetStartFreq(15000000)"});
  EnterValue(panel, IDC_SWEEP_STOP, "15.1M");
  EXPECT_EQ(instrument->Take(), (Calls{"GetStartFreq(0)", "SetStopFreq(15000000)",
                                       "GetStopFreq(1)"}));
  EnterValue(panel, IDC_SWEEP_STOP, "no number");
  EXPECT_EQ(TakeSets(), Calls{"SetStopFreq(0.01)"});
  EXPECT_EQ(Text(IDC_SWEEP_STOP), "10 mHz");
}

TEST_F(SweepPanel, SweepTimeIsClampedToItsRange) {
  EnterValue(panel, IDC_SWEEP_TIME, "1000");
  // Leaving the start field, where the panel opens, shows it again first.
  EXPECT_EQ(instrument->Take(), (Calls{"GetStartFreq(0)", "SetSweepTime(500)", "GetSweepTime(1)"}));
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "500 S");
  EnterValue(panel, IDC_SWEEP_TIME, "0.0001");
  EXPECT_EQ(TakeSets(), Calls{"SetSweepTime(0.001)"});
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 mS");
  EnterValue(panel, IDC_SWEEP_TIME, "2m");
  EXPECT_EQ(TakeSets(), Calls{"SetSweepTime(0.002)"});
}

TEST_F(SweepPanel, TimeArrowsStepByDecadesAndStopAtTheLimits) {
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "2 S");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "3 S");
  EXPECT_TRUE(instrument->Take().empty());
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetSweepTime(3)", "GetSweepTime(1)"}));
  TypeInto(panel, IDC_SWEEP_TIME, "400");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "500 S");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "500 S");
  TypeInto(panel, IDC_SWEEP_TIME, "1");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "900 mS");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "800 mS");
  TypeInto(panel, IDC_SWEEP_TIME, "0.002");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 mS");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 mS");
  Spin(panel, IDC_SWEEP_TIME_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(TakeSets(), Calls{"SetSweepTime(0.001)"});
}

TEST_F(SweepPanel, FrequencyArrowsStopAtTheMaximumAndSendWhatTheyShow) {
  TypeInto(panel, IDC_SWEEP_STOP, "9M");
  SpinAndRelease(panel, IDC_SWEEP_STOP_SPIN, true, 2);
  EXPECT_EQ(instrument->Take(), (Calls{"SetStopFreq(15000000)", "GetStopFreq(1)"}));
  TypeInto(panel, IDC_SWEEP_START, "0.02");
  SpinAndRelease(panel, IDC_SWEEP_START_SPIN, false, 2);
  EXPECT_EQ(TakeSets(), Calls{"SetStartFreq(0.01)"});
}

}  // namespace
