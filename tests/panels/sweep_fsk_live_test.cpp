// Sweep and FSK set-ups on the simulated mainframe, through the live
// instrument and the driver DLL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Lines = std::vector<std::string>;

using SweepLive = CLivePanelTestOf<ID_PANELS_SWEEP>;
using FskLive = CLivePanelTestOf<ID_PANELS_FSK>;

TEST_F(SweepLive, ASweepSetUpReachesTheInstrument) {
  EnterValue(panel, IDC_SWEEP_START, "200");
  EXPECT_EQ(mainframe.TakeTraffic(),
            SetAndReadBack("FREQ:STAR 200", "FREQ:STAR?", "+2.00000000000000E+02"));
  EnterValue(panel, IDC_SWEEP_STOP, "20k");
  EnterValue(panel, IDC_SWEEP_TIME, "50m");
  EXPECT_EQ(Text(IDC_SWEEP_TIME), "50 mS");
  ChooseItem(panel, IDC_SWEEP_SPACING, 1);
  mainframe.ClearTraffic();
  ChooseItem(panel, IDC_SWEEP_TRIG_SOURCE, 2);
  EXPECT_EQ(mainframe.TakeTraffic(), (Lines{TrafficLine("write", "TRIG:SOUR BUS"), TrafficLine("stb", "0")}));
  ClickButton(panel, IDC_SWEEP_SLOPE);
  EXPECT_EQ(mainframe.TakeTraffic(), SetAndReadBack("TRIG:SLOP NEG", "TRIG:SLOP?", "NEG"));
  ClickButton(panel, IDC_SWEEP_STATE);
  ClickButton(panel, IDC_SWEEP_BUS_TRIGGER);
  EXPECT_TRUE(boxes.m_boxes.empty());
  auto state = mainframe.State();
  EXPECT_EQ(state["swe.start"], "200");
  EXPECT_EQ(state["swe.stop"], "20000");
  EXPECT_EQ(state["swe.time"], "0.050000000000000003");
  EXPECT_EQ(state["swe.spacing"], "1");
  EXPECT_EQ(state["trig.source"], "2");
  EXPECT_EQ(state["trig.slope"], "0");
  EXPECT_EQ(state["swe.state"], "1");
  EXPECT_EQ(state["triggers"], "1");
}

TEST_F(SweepLive, SwitchingTheSweepOnRereadsEveryMode) {
  ClickButton(panel, IDC_SWEEP_STATE);
  EXPECT_EQ(TakeWrites(), (Lines{"SWE:STAT ON", "FUNC?", "FREQ?", "AM:STAT?", "FM:STAT?",
                                 "SWE:STAT?", "BM:STAT?", "FSK:STAT?"}));
}

TEST_F(FskLive, AnFskSetUpReachesTheInstrument) {
  EnterValue(panel, IDC_FSK_FREQ, "2k");
  EnterValue(panel, IDC_FSK_RATE, "50");
  EXPECT_EQ(Text(IDC_FSK_FREQ), "2 kHz");
  EXPECT_EQ(Text(IDC_FSK_RATE), "50 Hz");
  ChooseItem(panel, IDC_FSK_SOURCE, 1);
  mainframe.ClearTraffic();
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, 4);
  EXPECT_EQ(mainframe.TakeTraffic(), (Lines{TrafficLine("write", "TRIG:SOUR TTLT3"), TrafficLine("stb", "0")}));
  ClickButton(panel, IDC_FSK_STATE);
  EXPECT_TRUE(boxes.m_boxes.empty());
  auto state = mainframe.State();
  EXPECT_EQ(state["fsk.freq"], "2000");
  EXPECT_EQ(state["fsk.rate"], "50");
  EXPECT_EQ(state["fsk.source"], "1");
  EXPECT_EQ(state["trig.source"], "6");
  EXPECT_EQ(state["fsk.state"], "1");
}

TEST_F(FskLive, ABusTriggerSourceIsReadBackAsExternal) {
  app.Command(ID_PANELS_SWEEP);
  ChooseItem(app.Panel(), IDC_SWEEP_TRIG_SOURCE, 2);  // BUS, which the FSK list lacks
  app.Command(ID_PANELS_FSK);
  panel = app.Panel();
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);
  ::SendDlgItemMessageA(panel, IDC_FSK_TRIG_SOURCE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  mainframe.ClearTraffic();
  {
    CAltKeyHeld alt;
    OpenList(panel, IDC_FSK_TRIG_SOURCE);
  }
  EXPECT_EQ(mainframe.TakeTraffic(),
            (Lines{TrafficLine("write", "TRIG:SOUR?"), TrafficLine("read", "BUS"), TrafficLine("stb", "0")}));
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);
  EXPECT_EQ(mainframe.StateOf("trig.source"), "2");
}

}  // namespace
