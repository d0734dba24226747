// The AM panel live on the simulated mainframe, through the driver DLL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Calls = std::vector<std::string>;

using AmLive = CLivePanelTestOf<ID_PANELS_AM>;

TEST_F(AmLive, ADepthReachesTheInstrumentAndIsReadBack) {
  EnterValue(panel, IDC_AM_DEPTH, "150");
  EXPECT_EQ(mainframe.TakeTraffic(),
            SetAndReadBack("AM:DEPT 120", "AM:DEPT?", "+1.20000000000000E+02"));
  EXPECT_EQ(mainframe.StateOf("am.depth"), "120");
  EXPECT_EQ(Text(IDC_AM_DEPTH), "120 %");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

// Releasing the arrow sends the zero shown, which the instrument refuses.
TEST_F(AmLive, ARefusedFrequencyShowsTheInstrumentsErrorThenItsValue) {
  TypeInto(panel, IDC_AM_FREQ, "0");
  SpinAndRelease(panel, IDC_AM_FREQ_SPIN, true);
  EXPECT_EQ(boxes.Texts(), Calls{"Instrument reports error: -222  Data out of range"});
  EXPECT_EQ(TakeWrites(), (Calls{"AM:INT:FREQ 0", "SYST:ERR?", "SYST:ERR?", "AM:INT:FREQ?"}));
  EXPECT_EQ(mainframe.StateOf("am.freq"), "100");
  EXPECT_EQ(Text(IDC_AM_FREQ), "100 Hz");
}

}  // namespace
