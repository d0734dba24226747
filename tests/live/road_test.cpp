// One change on its whole road: the Main panel, the live instrument, the driver
// DLL and the simulated VISA, with the program found by its real discovery.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/led_lamp.h"
#include "controls/text_panel.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

// The built-in mainframe's Q3207, whose frequency command never completes.
const char kFrequencyTimesOut[] =
    "resource GPIB-VXI0::24::INSTR\nslot 3\nmanf 0x0FFF\nmodel 0x0244\ntimeout-on FREQ\n";

std::string Write(const std::string& text) { return "write GPIB-VXI0::24::INSTR " + text; }
std::string Read(const std::string& text) { return "read GPIB-VXI0::24::INSTR " + text; }
std::string StatusByte(int value) { return "stb GPIB-VXI0::24::INSTR " + std::to_string(value); }
const std::string kClear = "clear GPIB-VXI0::24::INSTR";

class LiveRoad : public ::testing::Test {
 protected:
  explicit LiveRoad(const char* config = nullptr) : mainframe(config) {}

  void SetUp() override {
    ASSERT_TRUE(StartLive(app));
    panel = app.Panel();
    ASSERT_NE(panel, nullptr);
    mainframe.ClearTraffic();
  }
  std::string Text(int id) const { return TextOf(panel, id); }

  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  HWND panel = nullptr;
};

class LiveRoadWithTimeOut : public LiveRoad {
 protected:
  LiveRoadWithTimeOut() : LiveRoad(kFrequencyTimesOut) {}
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
}

TEST_F(LiveRoad, TypedFrequencyIsSentThenReadBackAndShown) {
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
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
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  EXPECT_EQ(boxes.m_boxes[0].text, "Instrument reports error: -222  Data out of range");
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{Write("FREQ 2500000"), StatusByte(4), kClear,
                   Write("SYST:ERR?"), Read("-222,\"Data out of range\""),
                   Write("SYST:ERR?"), Read("0,\"No error\""),
                   Write("FREQ?"), Read("+1.00000000000000E+03"), StatusByte(0),
                   Write("PULS:DCYC?"), Read("+5.00000000000000E+01"), StatusByte(0)}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(mainframe.StateOf("freq"), "1000");
  EXPECT_EQ(mainframe.StateOf("errors"), "0");
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

TEST_F(LiveRoadWithTimeOut, ATimedOutCommandShowsTimeOutAfterADeviceClear) {
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  ASSERT_EQ(boxes.Texts(), Lines{"Time Out !"});
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{"timeout GPIB-VXI0::24::INSTR FREQ 2500000", kClear,
                   Write("FREQ?"), Read("+1.00000000000000E+03"), StatusByte(0),
                   Write("PULS:DCYC?"), Read("+5.00000000000000E+01"), StatusByte(0)}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(mainframe.StateOf("freq"), "1000");
}

}  // namespace
