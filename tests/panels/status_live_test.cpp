// The status panel on the simulated mainframe: the error queue, the status
// byte and the phase lock as the instrument reports them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/live_panel_test.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using Lines = std::vector<std::string>;

class StatusLive : public CLivePanelTest {
 protected:
  // The Q3207 with extra lines for its description.
  explicit StatusLive(const std::string& extra = "") : config(kSimulatedQ3207 + extra) {}
  void SetUp() override {
    ASSERT_TRUE(mainframe.Configure(config.c_str()));
    Open(ID_PANELS_STATUS);
  }
  std::string Shown(int id) const { return ShownIn(panel, id); }
  std::string ErrorShown() const {
    return Shown(IDC_STAT_ERROR_NUMBER) + " " + Shown(IDC_STAT_ERROR_MESSAGE);
  }

  std::string config;
};

class StatusLiveWithoutPll : public StatusLive {
 protected:
  StatusLiveWithoutPll() : StatusLive("options 2:MEM\n") {}
};

class StatusLiveWithExtraBit : public StatusLive {
 protected:
  StatusLiveWithExtraBit() : StatusLive("stb-extra 16\npll unlocked\n") {}
};

TEST_F(StatusLive, ReadsTheQueueOneEntryAPress) {
  mainframe.QueueError(-113, "Undefined header");
  mainframe.QueueError(-222, "Data out of range");
  ClickButton(panel, IDC_STAT_READ_ERROR);
  EXPECT_EQ(ErrorShown(), "-113 Undefined header");
  EXPECT_EQ(mainframe.TakeTraffic(),
            (Lines{TrafficLine("write", "SYST:ERR?"), TrafficLine("read", "-113,\"Undefined header\"")}));
  ClickButton(panel, IDC_STAT_READ_ERROR);
  EXPECT_EQ(ErrorShown(), "-222 Data out of range");
  ClickButton(panel, IDC_STAT_READ_ERROR);
  EXPECT_EQ(ErrorShown(), "0 No error");
  EXPECT_EQ(mainframe.StateOf("errors"), "0");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(StatusLive, ShowsALockedPhaseLock) {
  ClickButton(panel, IDC_STAT_PHASE_LOCK);
  EXPECT_EQ(Shown(IDC_STAT_PHASE_LOCK), "Locked");
  ClickButton(panel, IDC_STAT_STATUS_BYTE);
  EXPECT_EQ(Shown(IDC_STAT_STATUS_BYTE), "0");
}

TEST_F(StatusLiveWithoutPll, AModuleWithoutThePllOptionShowsNotInstalled) {
  ClickButton(panel, IDC_STAT_PHASE_LOCK);
  EXPECT_EQ(Shown(IDC_STAT_PHASE_LOCK), "Not Installed");
  for (const std::string& line : mainframe.Traffic())
    EXPECT_EQ(line.find("STAT:QUES:COND?"), std::string::npos) << line;
  EXPECT_EQ(mainframe.Traffic().front(), TrafficLine("write", "*OPT?"));
}

TEST_F(StatusLiveWithExtraBit, ShowsTheStatusByteAndAnUnlockedLoop) {
  ClickButton(panel, IDC_STAT_STATUS_BYTE);
  EXPECT_EQ(Shown(IDC_STAT_STATUS_BYTE), "16");
  // The read, then the driver's own look for errors.
  EXPECT_EQ(mainframe.TakeTraffic(), (Lines{TrafficLine("stb", "16"), TrafficLine("stb", "16")}));
  ClickButton(panel, IDC_STAT_PHASE_LOCK);
  EXPECT_EQ(Shown(IDC_STAT_PHASE_LOCK), "Unlocked");
}

}  // namespace
