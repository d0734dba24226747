// The FM panel live on the simulated mainframe, through the driver DLL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"

namespace {

using Calls = std::vector<std::string>;

using FmLive = CLivePanelTestOf<ID_PANELS_FM>;

TEST_F(FmLive, SwitchingFmOnRereadsTheModesAndTheModulation) {
  ClickButton(panel, IDC_FM_STATE);
  EXPECT_EQ(TakeWrites(),
            (Calls{"FM:STAT ON", "FUNC?", "FREQ?", "AM:STAT?", "FM:STAT?", "SWE:STAT?",
                   "BM:STAT?", "FSK:STAT?", "FM:INT:FREQ?", "FM:DEV?"}));
  EXPECT_EQ(mainframe.StateOf("fm.state"), "1");
  EXPECT_EQ(Text(IDC_FM_FREQ), "100 Hz");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

// A negative deviation stepped up stays negative; the release sends it as it
// is shown, and the instrument refuses it.
TEST_F(FmLive, ARefusedDeviationShowsTheInstrumentsErrorThenItsValue) {
  TypeInto(panel, IDC_FM_DEV, "-100");
  SpinAndRelease(panel, IDC_FM_DEV_SPIN, true);
  EXPECT_EQ(boxes.Texts(), Calls{"Instrument reports error: -222  Data out of range"});
  EXPECT_EQ(TakeWrites(), (Calls{"FM:DEV -90", "SYST:ERR?", "SYST:ERR?", "FM:DEV?"}));
  EXPECT_EQ(mainframe.StateOf("fm.dev"), "100");
  EXPECT_EQ(Text(IDC_FM_DEV), "100 Hz");
}

}  // namespace
