// An FSK set-up on the simulated mainframe, through the live instrument and
// the driver DLL.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

std::string Write(const std::string& text) {
  return std::string("write ") + kSimulatedResource + " " + text;
}
const std::string kNoError = std::string("stb ") + kSimulatedResource + " 0";

class FskLive : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(StartLive(app));
    app.Command(ID_PANELS_FSK);
    panel = app.Panel();
    ASSERT_NE(panel, nullptr);
    mainframe.ClearTraffic();
  }

  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  HWND panel = nullptr;
};

TEST_F(FskLive, AnFskSetUpReachesTheInstrument) {
  EnterValue(panel, IDC_FSK_FREQ, "2k");
  EnterValue(panel, IDC_FSK_RATE, "50");
  EXPECT_EQ(TextOf(panel, IDC_FSK_FREQ), "2 kHz");
  EXPECT_EQ(TextOf(panel, IDC_FSK_RATE), "50 Hz");
  ChooseItem(panel, IDC_FSK_SOURCE, 1);
  mainframe.ClearTraffic();
  ChooseItem(panel, IDC_FSK_TRIG_SOURCE, 4);
  EXPECT_EQ(mainframe.TakeTraffic(), (Lines{Write("TRIG:SOUR TTLT3"), kNoError}));
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
            (Lines{Write("TRIG:SOUR?"), std::string("read ") + kSimulatedResource + " BUS",
                   kNoError}));
  EXPECT_EQ(SelectedItem(panel, IDC_FSK_TRIG_SOURCE), 0);
  EXPECT_EQ(mainframe.StateOf("trig.source"), "2");
}

}  // namespace
