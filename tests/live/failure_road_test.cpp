// The live road when the instrument does not simply take what it is sent:
// errors left in its queue, a failing self test, queries that never answer.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/sfp_app.h"
#include "instrument/instrument.h"
#include "res/resource.h"
#include "tests/live/live_road.h"
#include "tests/support/panel_driver.h"

namespace {

bool Sent(const Lines& traffic, const std::string& line) {
  return std::find(traffic.begin(), traffic.end(), line) != traffic.end();
}

class StartWithAnErrorQueued : public CLiveRoad {
 protected:
  explicit StartWithAnErrorQueued(const std::string& commandLine = "-a GPIB-VXI0::24::INSTR")
      : CLiveRoad("", commandLine) {
    mainframe.QueueError(-350, "Queue overflow");
  }
};

class StartWithResetOption : public StartWithAnErrorQueued {
 protected:
  StartWithResetOption() : StartWithAnErrorQueued("-a GPIB-VXI0::24::INSTR -r") {}
};

TEST_F(StartWithAnErrorQueued, TheErrorIsShownAndTheProgramStaysLive) {
  EXPECT_EQ(boxes.Texts(), Lines{"Instrument reports error: -350  Queue overflow"});
  EXPECT_NE(theApp.m_pInstrument->m_live, 0);
  EXPECT_EQ(mainframe.StateOf("errors"), "0");
  // Sync ends at its first query, which brought the news.
  EXPECT_FALSE(Sent(startTraffic, Write("FREQ?")));
  EnterValue(panel, IDC_MAIN_FREQ, "2k");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2 kHz");
  EXPECT_EQ(boxes.m_boxes.size(), 1u);
}

TEST_F(StartWithResetOption, TheInstrumentIsResetAndClearedWhenTheDriverOpensIt) {
  EXPECT_TRUE(boxes.m_boxes.empty());
  ASSERT_GE(startTraffic.size(), 6u);
  EXPECT_EQ(Lines(startTraffic.begin(), startTraffic.begin() + 6),
            (Lines{Event("open"), Event("close"), Event("open"), Write("*RST"), Write("*CLS"),
                   Event("clear")}));
}

// VISA opens the session but the device does not answer: the driver says so
// with the open's warning, and the program runs non-live without a word.
TEST(DeviceNotPresent, ThePassedOnWarningMeansNonLiveAndTheSessionIsClosed) {
  CSimulatedMainframe mainframe(BuiltInMainframeWith("open-fails 0x3FFF007D\n").c_str());
  CBoxWatcher boxes;
  CAppFixture app;
  EXPECT_FALSE(StartLive(app));
  EXPECT_TRUE(boxes.m_boxes.empty());
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{Event("open"), Event("close"), Event("open"), Event("close")}));
}

class FailingSelfTest : public CLiveRoad {
 protected:
  FailingSelfTest() : CLiveRoad("self-test 5\n") {}
};

TEST_F(FailingSelfTest, ShowsTheCodeAndTheDriversMessage) {
  app.Command(ID_SYSTEM_SELFTEST);
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 Self Test");
  EXPECT_EQ(boxes.m_boxes[0].text, "5, Self test failed");
  EXPECT_FALSE(boxes.m_boxes[0].hasIcon);
  EXPECT_EQ(mainframe.Traffic(), (Lines{Write("*TST?"), Read("5"), StatusByte(0)}));
}

class OffsetQueryHangs : public CLiveRoad {
 protected:
  OffsetQueryHangs() : CLiveRoad("timeout-on VOLT:OFFS?\n") {}
};

TEST_F(OffsetQueryHangs, SyncStopsAtTheQueryThatTimedOut) {
  EXPECT_EQ(boxes.Texts(), Lines{"Time Out !"});  // the start-up's own Sync
  boxes.m_boxes.clear();
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_EQ(boxes.Texts(), Lines{"Time Out !"});
  Lines traffic = mainframe.Traffic();
  ASSERT_GE(traffic.size(), 3u);
  EXPECT_EQ(Lines(traffic.end() - 3, traffic.end()),
            (Lines{Write("VOLT:OFFS?"), TimeOut("VOLT:OFFS?"), Event("clear")}));
  EXPECT_TRUE(Sent(traffic, Write("VOLT:UNIT VPP;:VOLT?")));
  EXPECT_FALSE(Sent(traffic, Write("PULS:DCYC?")));
}

// Every look at the queue hangs: each report ends in one time-out box, the
// device cleared before it, and nothing waits for ever.
class ErrorQueueHangs : public CLiveRoad {
 protected:
  ErrorQueueHangs() : CLiveRoad("timeout-on SYST:ERR?\nerror-flood FREQ 1\n") {}
};

TEST_F(ErrorQueueHangs, AnInstrumentErrorEndsInTimeOutBoxes) {
  EnterValue(panel, IDC_MAIN_FREQ, "2k");
  const Lines reportThatHangs{Event("clear"), Write("SYST:ERR?"), TimeOut("SYST:ERR?"),
                              Event("clear")};
  Lines expected{Write("FREQ 2000"), StatusByte(4)};
  expected.insert(expected.end(), reportThatHangs.begin(), reportThatHangs.end());
  for (const std::string& line : {Write("FREQ?"), Read("+2.00000000000000E+03"), StatusByte(4)})
    expected.push_back(line);
  expected.insert(expected.end(), reportThatHangs.begin(), reportThatHangs.end());
  EXPECT_EQ(mainframe.Traffic(), expected);
  EXPECT_EQ(boxes.Texts(), (Lines{"Time Out !", "Time Out !"}));  // the Set, the read-back
  EXPECT_EQ(mainframe.StateOf("freq"), "2000");
}

}  // namespace
