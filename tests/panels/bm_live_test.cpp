// The BM panel live on the simulated mainframe, through the driver DLL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Calls = std::vector<std::string>;

using BmLive = CLivePanelTestOf<ID_PANELS_BM>;

TEST_F(BmLive, AnInfiniteCountGoesOutAsInfAndShowsAsInf) {
  EnterValue(panel, IDC_BM_COUNT, "INF");
  EXPECT_EQ(mainframe.TakeTraffic(),
            SetAndReadBack("BM:NCYC INF", "BM:NCYC?", "+9.90000000000000E+37"));
  EXPECT_EQ(Text(IDC_BM_COUNT), "INF Cycles");
  EnterValue(panel, IDC_BM_COUNT, "12");
  EXPECT_EQ(TakeWrites(), (Calls{"BM:NCYC 12", "BM:NCYC?"}));
  EXPECT_EQ(mainframe.StateOf("bm.count"), "12");
  ChooseItem(panel, IDC_BM_TRIG_SOURCE, 6);
  EXPECT_EQ(TakeWrites(), (Calls{"TRIG:SOUR TTLT3", "TRIG:SOUR?"}));
  EXPECT_EQ(mainframe.StateOf("trig.source"), "6");
  EXPECT_EQ(SelectedItem(panel, IDC_BM_TRIG_SOURCE), 6);
  ClickButton(panel, IDC_BM_BUS_TRIGGER);
  EXPECT_EQ(mainframe.TakeTraffic(), (Calls{TrafficLine("trigger", ""), TrafficLine("stb", "0")}));
  EXPECT_EQ(mainframe.StateOf("triggers"), "1");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(BmLive, ARefusedRateShowsTheInstrumentsErrorThenItsValue) {
  TypeInto(panel, IDC_BM_RATE, "0");
  SpinAndRelease(panel, IDC_BM_RATE_SPIN, true);
  EXPECT_EQ(boxes.Texts(), Calls{"Instrument reports error: -222  Data out of range"});
  EXPECT_EQ(TakeWrites(), (Calls{"BM:INT:RATE 0", "SYST:ERR?", "SYST:ERR?", "BM:INT:RATE?"}));
  EXPECT_EQ(mainframe.StateOf("bm.rate"), "100");
  EXPECT_EQ(Text(IDC_BM_RATE), "100 Hz");
}

// The Q3207, where the burst count's setting is lost on the way.
class BmLiveCountLost : public CLivePanelTest {
 protected:
  void SetUp() override {
    const std::string countLost = kSimulatedQ3207 + std::string("timeout-on BM:NCYC\n");
    ASSERT_TRUE(mainframe.Configure(countLost.c_str()));
    Open(ID_PANELS_BM);
  }
};

TEST_F(BmLiveCountLost, ALostCountIsReportedAndTheCarrierAndTheCountAreReRead) {
  TypeInto(panel, IDC_BM_COUNT, "4");
  SpinAndRelease(panel, IDC_BM_COUNT_SPIN, true);
  EXPECT_EQ(boxes.Texts(), Calls{"Time Out !"});
  EXPECT_EQ(mainframe.TakeTraffic(),
            (Calls{TrafficLine("timeout", "BM:NCYC 5"), TrafficLine("clear", ""), TrafficLine("write", "FREQ?"),
                   TrafficLine("read", "+1.00000000000000E+03"), TrafficLine("stb", "0"),
                   TrafficLine("write", "BM:NCYC?"), TrafficLine("read", "+1.00000000000000E+00"),
                   TrafficLine("stb", "0")}));
  EXPECT_EQ(Text(IDC_BM_COUNT), "1 Cycles");
}

}  // namespace
