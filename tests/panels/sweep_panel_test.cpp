#include "panels/sweep_panel.h"

#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

class SweepPanel : public CPanelTestOf<ID_PANELS_SWEEP> {
 protected:
  std::string Chosen(int comboId) const {
    return ItemText(panel, comboId, SelectedItem(panel, comboId));
  }
};

TEST_F(SweepPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(PlateText(IDC_SWEEP_TITLE), "Sweep Panel");
  EXPECT_EQ(Text(IDC_SWEEP_START), "100 Hz");
  EXPECT_EQ(Text(IDC_SWEEP_STOP), "1 kHz");
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 S");
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_STATE), "Off");
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Normal");
  EXPECT_EQ(FocusedId(), IDC_SWEEP_TITLE);
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
  EXPECT_EQ(instrument->Take(), (Calls{"SetSweepTime(500)", "GetSweepTime(1)"}));
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

TEST_F(SweepPanel, CombosSendTheirCodeWithoutReadBack) {
  ChooseItem(panel, IDC_SWEEP_TRIG_SOURCE, 6);
  EXPECT_EQ(instrument->Take(), Calls{"SetTrigSource(6)"});
  EXPECT_EQ(Chosen(IDC_SWEEP_TRIG_SOURCE), "TTLT3");
  ChooseItem(panel, IDC_SWEEP_SPACING, 1);
  EXPECT_EQ(instrument->Take(), Calls{"SetSweepSpacing(1)"});
  EXPECT_EQ(instrument->m_sweepSpacing, 1);
  OpenList(panel, IDC_SWEEP_TRIG_SOURCE);
  EXPECT_TRUE(instrument->Take().empty());
}

TEST_F(SweepPanel, AltTurnsCombosIntoReadBacks) {
  instrument->m_trigSource = 2;
  {
    CAltKeyHeld alt;
    ChooseItem(panel, IDC_SWEEP_TRIG_SOURCE, 9);
  }
  EXPECT_EQ(instrument->Take(), Calls{"GetTrigSource(1)"});
  EXPECT_EQ(Chosen(IDC_SWEEP_TRIG_SOURCE), "BUS");
  EXPECT_EQ(FocusedId(), IDC_SWEEP_TITLE);
  CBoxWatcher boxes;
  instrument->Fail("GetSweepSpacing", -1);
  FocusOn(panel, IDC_SWEEP_SPACING);
  {
    CAltKeyHeld alt;
    ChooseItem(panel, IDC_SWEEP_SPACING, 1);
  }
  EXPECT_EQ(boxes.Texts(), Calls{"API failure."});
  EXPECT_EQ(FocusedId(), IDC_SWEEP_TITLE);  // also after the failure
  instrument->m_sweepSpacing = 1;
  instrument->Take();
  CAltKeyHeld alt;
  OpenList(panel, IDC_SWEEP_SPACING);
  EXPECT_EQ(instrument->Take(), Calls{"GetSweepSpacing(1)"});
  EXPECT_EQ(SelectedItem(panel, IDC_SWEEP_SPACING), 1);
}

TEST_F(SweepPanel, StateToggleSwitchesTheOtherModesOffAndRereadsThem) {
  instrument->m_fskState = 1;
  ClickButton(panel, IDC_SWEEP_STATE);
  EXPECT_EQ(instrument->Take(), (Calls{"SetSweepState(1)", "SyncModes()", "GetSweepState(0)"}));
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_STATE), "On");
  EXPECT_EQ(instrument->m_fskState, 0);
  CAltKeyHeld alt;
  instrument->m_sweepState = 0;
  ClickButton(panel, IDC_SWEEP_STATE);
  EXPECT_EQ(instrument->Take(), Calls{"GetSweepState(1)"});
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_STATE), "Off");
}

TEST_F(SweepPanel, SlopeToggleReadsTheSlopeBackAndCountsADoubleClickTwice) {
  ClickButton(panel, IDC_SWEEP_SLOPE);
  EXPECT_EQ(instrument->Take(), (Calls{"SetTrigSlope(0)", "GetTrigSlope(1)"}));
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Inverted");
  DoubleClickButton(panel, IDC_SWEEP_SLOPE);
  EXPECT_EQ(TakeSets(), (Calls{"SetTrigSlope(1)", "SetTrigSlope(0)"}));
  EXPECT_EQ(instrument->m_trigSlope, 0);
}

TEST_F(SweepPanel, AFailedAltReadBackOfAToggleIsReported) {
  CBoxWatcher boxes;
  instrument->Fail("GetTrigSlope", -1);
  {
    CAltKeyHeld alt;
    ClickButton(panel, IDC_SWEEP_SLOPE);
  }
  EXPECT_EQ(boxes.Texts(), Calls{"API failure."});
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Normal");
  EXPECT_TRUE(TakeSets().empty());
}

TEST_F(SweepPanel, ARejectedSetIsReportedAndFollowedByItsReadBack) {
  CBoxWatcher boxes;
  instrument->Fail("SetTrigSlope", -1);
  ClickButton(panel, IDC_SWEEP_SLOPE);
  EXPECT_EQ(boxes.Texts(), Calls{"API failure."});
  EXPECT_EQ(instrument->Take(), (Calls{"SetTrigSlope(0)", "GetTrigSlope(1)"}));
  EXPECT_EQ(ToggleCaption(IDC_SWEEP_SLOPE), "Normal");  // what the instrument kept
  instrument->Fail("SetSweepTime", -1);
  EnterValue(panel, IDC_SWEEP_TIME, "5");
  Calls calls = instrument->Take();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "GetSweepTime(1)");
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "1 S");
}

TEST_F(SweepPanel, BusTriggerSendsOnlyTheTrigger) {
  CBoxWatcher boxes;
  ClickButton(panel, IDC_SWEEP_BUS_TRIGGER);
  EXPECT_EQ(instrument->Take(), Calls{"Trigger()"});
  EXPECT_TRUE(boxes.m_boxes.empty());
  instrument->Fail("Trigger", -1);
  ClickButton(panel, IDC_SWEEP_BUS_TRIGGER);
  EXPECT_EQ(boxes.Texts(), Calls{"API failure."});
}

}  // namespace
