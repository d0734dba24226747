// One change on its whole road: the Main panel, the live instrument, the driver
// DLL and the simulated VISA, with the program found by its real discovery.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/led_lamp.h"
#include "controls/text_panel.h"
#include "res/resource.h"
#include "tests/support/panel_driver.h"
#include "tests/live/live_road.h"
#include "tests/support/logged_calls.h"

namespace {

using LiveRoad = CLiveRoad;

// A Q3207 whose frequency command never completes.
class LiveRoadWithTimeOut : public CLiveRoad {
 protected:
  LiveRoadWithTimeOut() : CLiveRoad("timeout-on FREQ\n") {}
};

TEST_F(LiveRoad, StartsLiveWithTheSlotInTheAddressAndAGreenLamp) {
  EXPECT_TRUE(boxes.m_boxes.empty());
  auto* address = dynamic_cast<CTextPanel*>(CWnd::FromHandle(::GetDlgItem(panel, IDC_MAIN_ADDRESS)));
  ASSERT_NE(address, nullptr);
  EXPECT_EQ(std::string(address->m_caption), "Slot 3 GPIB-VXI0::24");
  auto* lamp = dynamic_cast<CLedLamp*>(CWnd::FromHandle(::GetDlgItem(panel, IDC_MAIN_LAMP)));
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(lamp->m_lampColor, RGB(0, 255, 0));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  // Discovery's look at the resource, the driver's session, its device clear,
  // then the settings read in the order of System > Sync.
  ASSERT_GE(startTraffic.size(), 10u);
  EXPECT_EQ(Lines(startTraffic.begin(), startTraffic.begin() + 10),
            (Lines{Event("open"), Event("close"), Event("open"), Event("clear"), Write("FUNC?"),
                   Read("SIN"), StatusByte(0), Write("FREQ?"), Read("+1.00000000000000E+03"),
                   StatusByte(0)}));
}

// The road is the same however the VISA hands the replies over.
class LiveRoadOverEachLink : public CLiveRoad, public ::testing::WithParamInterface<const char*> {
 protected:
  LiveRoadOverEachLink() : CLiveRoad(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(Replies, LiveRoadOverEachLink,
                         ::testing::Values("", "largest-piece 1\nline-end crlf\n",
                                           "largest-piece 7\n"));

TEST_P(LiveRoadOverEachLink, TypedFrequencyIsSentThenReadBackAndShown) {
  CLoggedCalls logged;
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(logged.Lines(),
            (Lines{"Main: Frequency Enter | tgq3207_cmdReal | FREQ 2500000 |  | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | FREQ? | 2500000 | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | PULS:DCYC? | 50 | 0x00000000 success"}));
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{Write("FREQ 2500000"), StatusByte(0),
                   Write("FREQ?"), Read("+2.50000000000000E+06"), StatusByte(0),
                   Write("PULS:DCYC?"), Read("+5.00000000000000E+01"), StatusByte(0)}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2.5 MHz");
  EXPECT_EQ(mainframe.StateOf("freq"), "2500000");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

// The panel lets 2.5 MHz through for every function; the instrument's
// triangle stops at 100 kHz.
TEST_F(LiveRoad, ARefusedValueShowsTheInstrumentsErrorThenWhatItKept) {
  ChooseItem(panel, IDC_MAIN_FUNC, 2);
  ASSERT_EQ(mainframe.StateOf("func"), "2");
  mainframe.ClearTraffic();
  CLoggedCalls logged;
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(logged.Lines(),
            (Lines{"Main: Frequency Enter | tgq3207_cmdReal | FREQ 2500000 |  | 0xBFFC0D07 instrument reports errors",
                   "Main: Frequency Enter | tgq3207_dcl |  |  | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_error_query |  | -222,Data out of range | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_error_query |  | 0,No error | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | FREQ? | 1000 | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | PULS:DCYC? | 50 | 0x00000000 success"}));
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  EXPECT_EQ(boxes.m_boxes[0].text, "Instrument reports error: -222  Data out of range");
  EXPECT_TRUE(boxes.m_boxes[0].hasIcon);
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{Write("FREQ 2500000"), StatusByte(4), Event("clear"),
                   Write("SYST:ERR?"), Read("-222,\"Data out of range\""),
                   Write("SYST:ERR?"), Read("0,\"No error\""),
                   Write("FREQ?"), Read("+1.00000000000000E+03"), StatusByte(0),
                   Write("PULS:DCYC?"), Read("+5.00000000000000E+01"), StatusByte(0)}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(mainframe.StateOf("freq"), "1000");
  EXPECT_EQ(mainframe.StateOf("errors"), "0");
}

// The instrument pulls the frequency down to the triangle's ceiling and says
// so; the read-back after the function change shows what it did.
TEST_F(LiveRoad, AFunctionChangeThatMovesTheFrequencyIsReportedAndReadBack) {
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  mainframe.ClearTraffic();
  ChooseItem(panel, IDC_MAIN_FUNC, 2);
  EXPECT_EQ(boxes.Texts(), Lines{"Instrument reports error: -221  Settings conflict"});
  Lines traffic = mainframe.Traffic();
  ASSERT_GE(traffic.size(), 4u);
  EXPECT_EQ(Lines(traffic.begin(), traffic.begin() + 4),
            (Lines{Write("FUNC TRI"), StatusByte(4), Event("clear"), Write("SYST:ERR?")}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "100 kHz");
  EXPECT_EQ(SelectedItem(panel, IDC_MAIN_FUNC), 2);
  EXPECT_EQ(mainframe.StateOf("freq"), "100000");
}

TEST_F(LiveRoad, EveryQueuedErrorGetsItsOwnBoxOldestFirst) {
  mainframe.QueueError(-113, "Undefined header");
  mainframe.QueueError(-350, "Queue overflow");
  EnterValue(panel, IDC_MAIN_FREQ, "3k");
  EXPECT_EQ(boxes.Texts(), (Lines{"Instrument reports error: -113  Undefined header",
                                  "Instrument reports error: -350  Queue overflow"}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "3 kHz");  // the value itself was taken
  EXPECT_EQ(mainframe.StateOf("freq"), "3000");
}

struct CActionCase {
  UINT m_panelCommand;  // 0: the action is a menu command
  std::function<void(CAppFixture&, HWND)> m_act;
  const char* m_action;
};

// Every call an operator action makes carries the action's name in the I/O
// log: the panel, the control's label and what was done with it.
TEST_F(LiveRoad, EachOperatorActionNamesItsCallsInTheLog) {
  const CActionCase cases[] = {
      {ID_PANELS_AM, [](CAppFixture&, HWND p) { SpinAndRelease(p, IDC_AM_DEPTH_SPIN, true); }, "AM: Depth arrow up"},
      {ID_PANELS_AM, [](CAppFixture&, HWND p) { ClickButton(p, IDC_AM_STATE); }, "AM: State click"},
      {ID_PANELS_BM, [](CAppFixture&, HWND p) { SpinAndRelease(p, IDC_BM_COUNT_SPIN, false); }, "BM: Count arrow down"},
      {ID_PANELS_SWEEP, [](CAppFixture&, HWND p) { ChooseItem(p, IDC_SWEEP_SPACING, 1); }, "Sweep: Spacing choice"},
      {ID_PANELS_FSK, [](CAppFixture&, HWND p) { EnterValue(p, IDC_FSK_RATE, "20"); }, "FSK: Hop Rate Enter"},
      {ID_PANELS_FM, [](CAppFixture&, HWND p) { EnterValue(p, IDC_FM_DEV, "1k"); }, "FM: Deviation Enter"},
      {ID_PANELS_SWEEP, [](CAppFixture&, HWND p) { EnterValue(p, IDC_SWEEP_START, "2k"); }, "Sweep: Start Frequency Enter"},
      {ID_PANELS_BM, [](CAppFixture&, HWND p) { ClickButton(p, IDC_BM_BUS_TRIGGER); }, "BM: Send BUS Trigger"},
      {ID_PANELS_STATUS, [](CAppFixture&, HWND p) { ClickButton(p, IDC_STAT_CLEAR); }, "Status: Clear Status"},
      {ID_PANELS_MAIN,
       [](CAppFixture&, HWND p) {
         CAltKeyHeld alt;
         FocusOn(p, IDC_MAIN_FREQ);
       },
       "Main: Frequency Alt read"},
      {0, [](CAppFixture& a, HWND) { a.Command(ID_SYSTEM_SELFTEST); }, "System > Self Test"},
  };
  for (const CActionCase& c : cases) {
    SCOPED_TRACE(c.m_action);
    if (c.m_panelCommand != 0) app.Command(c.m_panelCommand);
    CLoggedCalls logged;
    c.m_act(app, app.Panel());
    Lines calls = logged.Lines();
    ASSERT_FALSE(calls.empty());
    for (const std::string& call : calls) EXPECT_EQ(call.substr(0, call.find(" | ")), c.m_action) << call;
  }
}

TEST_F(LiveRoadWithTimeOut, ATimedOutCommandShowsTimeOutAfterADeviceClear) {
  CLoggedCalls logged;
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(logged.Lines(),
            (Lines{"Main: Frequency Enter | tgq3207_cmdReal | FREQ 2500000 |  | 0xBFFF0015 time-out",
                   "Main: Frequency Enter | tgq3207_dcl |  |  | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | FREQ? | 1000 | 0x00000000 success",
                   "Main: Frequency Enter | tgq3207_cmdReal64_Q | PULS:DCYC? | 50 | 0x00000000 success"}));
  ASSERT_EQ(boxes.Texts(), Lines{"Time Out !"});
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  EXPECT_TRUE(boxes.m_boxes[0].hasIcon);
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{TimeOut("FREQ 2500000"), Event("clear"),
                   Write("FREQ?"), Read("+1.00000000000000E+03"), StatusByte(0),
                   Write("PULS:DCYC?"), Read("+5.00000000000000E+01"), StatusByte(0)}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(mainframe.StateOf("freq"), "1000");
}

// A raw socket: no END, no serial poll, no device clear; the driver ends its
// reads at the line feed and asks for the status byte with *STB?.
constexpr char kSocket[] = "TCPIP0::127.0.0.1::5025::SOCKET";

std::string OnSocket(const char* event, const std::string& text = "") {
  return std::string(event) + " " + kSocket + (text.empty() ? "" : " " + text);
}

class LiveRoadOverSocket : public CLiveRoad {
 protected:
  explicit LiveRoadOverSocket(const std::string& faults = "")
      : CLiveRoad(std::string("resource ") + kSocket + "\n" + faults,
                  std::string("-a ") + kSocket) {}
};

class LiveRoadOverSocketWithTimeOut : public LiveRoadOverSocket {
 protected:
  LiveRoadOverSocketWithTimeOut() : LiveRoadOverSocket("timeout-on FREQ\n") {}
};

TEST_F(LiveRoadOverSocket, TypedFrequencyIsSentThenReadBackAndShown) {
  EXPECT_TRUE(boxes.m_boxes.empty());
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{OnSocket("write", "FREQ 2500000"), OnSocket("write", "*STB?"),
                   OnSocket("read", "0"), OnSocket("write", "FREQ?"),
                   OnSocket("read", "+2.50000000000000E+06"), OnSocket("write", "*STB?"),
                   OnSocket("read", "0"), OnSocket("write", "PULS:DCYC?"),
                   OnSocket("read", "+5.00000000000000E+01"), OnSocket("write", "*STB?"),
                   OnSocket("read", "0")}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2.5 MHz");
  EXPECT_EQ(mainframe.StateOf("freq", kSocket), "2500000");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(LiveRoadOverSocketWithTimeOut, ATimedOutCommandShowsTimeOutAndTheProgramGoesOn) {
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(boxes.Texts(), Lines{"Time Out !"});
  Lines traffic = mainframe.Traffic();
  ASSERT_GE(traffic.size(), 5u);
  EXPECT_EQ(Lines(traffic.begin(), traffic.begin() + 5),
            (Lines{OnSocket("timeout", "FREQ 2500000"), OnSocket("flush"),
                   OnSocket("write", "FREQ?"), OnSocket("read", "+1.00000000000000E+03"),
                   OnSocket("write", "*STB?")}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(mainframe.StateOf("freq", kSocket), "1000");
}

}  // namespace
