#include "tests/support/simulated_mainframe.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"

namespace {

using Lines = std::vector<std::string>;

TEST(SimulatedMainframe, BuiltInMainframeHoldsTheQ3207AtItsPowerOnSettings) {
  CSimulatedMainframe mainframe;
  ASSERT_TRUE(mainframe.IsLoaded());
  EXPECT_TRUE(mainframe.Traffic().empty());
  std::map<std::string, std::string> state = mainframe.State();
  EXPECT_EQ(state.at("rsrc"), kSimulatedResource);
  EXPECT_EQ(state.at("freq"), "1000");
  EXPECT_EQ(state.at("errors"), "0");
  EXPECT_EQ(mainframe.StateOf("func"), "0");
}

TEST(SimulatedMainframe, ABadConfigurationLineFailsTheTestAndChangesNothing) {
  CSimulatedMainframe mainframe;
  mainframe.QueueError(-100, "Command error");
  bool configured = true;
  EXPECT_NONFATAL_FAILURE(configured = mainframe.Configure("resource VXI0::8::INSTR\nslot two\n"),
                          "bad configuration line 2: slot two");
  EXPECT_FALSE(configured);
  EXPECT_EQ(mainframe.StateOf("errors"), "1");  // still the same instrument
}

TEST(SimulatedMainframe, UnknownResourcesFailTheTest) {
  CSimulatedMainframe mainframe;
  EXPECT_NONFATAL_FAILURE(mainframe.State("GPIB0::9::INSTR"), "no simulated Q3207 in GPIB0::9");
  EXPECT_NONFATAL_FAILURE(mainframe.QueueError(-100, "x", "GPIB0::9::INSTR"),
                          "cannot queue an error");
  EXPECT_NONFATAL_FAILURE(mainframe.StateOf("frequency"), "no state key frequency");
}

TEST(SimulatedMainframe, QueuedErrorsReachTheInstrument) {
  CSimulatedMainframe mainframe;
  mainframe.QueueError(-113, "Undefined header");
  mainframe.QueueError(-222, "Data out of range");
  EXPECT_EQ(mainframe.StateOf("errors"), "2");
  mainframe.Configure(nullptr);  // powers the instrument on again
  EXPECT_EQ(mainframe.StateOf("errors"), "0");
}

// The program's discovery loads and frees VISA32.DLL; the harness's own
// reference keeps the configured mainframe and its traffic through that.
TEST(SimulatedMainframe, TheProgramRunsOnTheConfiguredMainframe) {
  CSimulatedMainframe mainframe(
      "resource GPIB-VXI0::24::INSTR\nslot 7\nmanf 0x0FFF\nmodel 0x0244\n");
  {
    CBoxWatcher boxes;
    CAppFixture app;
    ASSERT_TRUE(StartLive(app));
    EXPECT_EQ(theApp.GetSlot(), 7);
    EXPECT_EQ(theApp.GetRsrcName(), kSimulatedResource);
    EXPECT_TRUE(boxes.m_boxes.empty());
    Lines traffic = mainframe.TakeTraffic();
    ASSERT_GE(traffic.size(), 4u);
    EXPECT_EQ(Lines(traffic.begin(), traffic.begin() + 4),
              (Lines{"open GPIB-VXI0::24::INSTR", "close GPIB-VXI0::24::INSTR",
                     "open GPIB-VXI0::24::INSTR", "clear GPIB-VXI0::24::INSTR"}));
  }
  EXPECT_EQ(mainframe.Traffic(), Lines{"close GPIB-VXI0::24::INSTR"});
}

TEST(SimulatedMainframe, LeavesTheBuiltInMainframeBehind) {
  HMODULE visa = ::LoadLibraryA("VISA32.DLL");  // as the driver DLL keeps it loaded
  ASSERT_NE(visa, nullptr);
  auto state = reinterpret_cast<int (*)(const char*, char*, int)>(
      reinterpret_cast<void*>(::GetProcAddress(visa, "tgqsim_state")));
  ASSERT_NE(state, nullptr);
  {
    CSimulatedMainframe mainframe("resource VXI0::8::INSTR\n");
    EXPECT_EQ(state(kSimulatedResource, nullptr, 0), -1);
  }
  EXPECT_GT(state(kSimulatedResource, nullptr, 0), 0);
  ::FreeLibrary(visa);
}

TEST(SimulatedMainframe, StartLiveTellsWhenTheProgramRunsNonLive) {
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  EXPECT_FALSE(StartLive(app, "-a VXI0::99::INSTR"));
  EXPECT_TRUE(boxes.m_boxes.empty());
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{"open-failed VXI0::99::INSTR", "open-failed VXI0::99::INSTR"}));
}

}  // namespace
