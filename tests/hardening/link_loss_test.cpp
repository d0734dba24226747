// The link to the instrument lost and won back on the live program over the
// driver DLL and the simulated VISA: what the operator sees when a change
// finds it gone, the reconnect with and without a power cycle, another
// instrument at the address, working non-live, and Connect....
#include <gtest/gtest.h>

#include <string>

#include "app/instrument_link.h"
#include "app/sfp_app.h"
#include "instrument/instrument.h"
#include "instrument/io_log.h"
#include "res/resource.h"
#include "tests/connect/operator_view.h"
#include "tests/hardening/remembered_state.h"
#include "tests/live/live_road.h"
#include "tests/support/panel_driver.h"

namespace {

const COLORREF kLinkDownLamp = RGB(255, 0, 0);
const char* const kPowerOnQuestion =
    "The instrument was switched off and on and is back at its power-on settings.\n\nSend the panels' settings to it?";

HWND ConnectionWindow() {
  HWND window = ::FindWindowA("#32770", "Connection");
  return window != nullptr && ::IsWindowVisible(window) ? window : nullptr;
}

// The Q3207 loses its link with the first frequency it is sent; the next I/O
// finds it back, switched off and on in LinkLostAndPowerCycled.
class LinkLost : public CLiveRoad {
 protected:
  explicit LinkLost(const char* more = "") : CLiveRoad(std::string("link-lost-on FREQ\nlink-back-io 1\n") + more) {}

  void LoseTheLink() {
    EnterValue(panel, IDC_MAIN_AMPL, "2.5");
    boxes.m_boxes.clear();
    EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  }
  void ExpectInstrumentEqualsPanels() {
    app.Command(ID_SYSTEM_SYNC);
    EXPECT_EQ(Disagreements(RememberedState(*theApp.m_pInstrument), mainframe.State()), Lines{});
  }
  void Answer(int button) {
    boxes.m_onDialog = [button](HWND box) {
      ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
      return true;
    };
  }
};

class LinkLostAndPowerCycled : public LinkLost {
 protected:
  LinkLostAndPowerCycled() : LinkLost("power-cycle\n") {}
};

TEST_F(LinkLost, OneBoxThenTheRedLampTheWindowAndTheLogRowAndNothingIsSentUntilTheLinkIsBack) {
  bool windowBeforeTheBox = true;
  boxes.m_onDialog = [this, &windowBeforeTheBox](HWND) {
    windowBeforeTheBox = ConnectionWindow() != nullptr || WhatTheOperatorSees(app).lamp == kLinkDownLamp;
    return false;
  };
  LoseTheLink();
  boxes.m_onDialog = nullptr;
  EXPECT_FALSE(windowBeforeTheBox);
  EXPECT_EQ(boxes.Texts(), Lines{"API failure."});
  EXPECT_EQ(WhatTheOperatorSees(app).lamp, kLinkDownLamp);
  ASSERT_NE(ConnectionWindow(), nullptr);
  EXPECT_EQ(TextOf(ConnectionWindow(), IDC_CONNECTION_TEXT),
            "The instrument at GPIB-VXI0::24::INSTR does not answer. Trying again in 1 s.");
  EXPECT_EQ(IoLog().Records().back().m_entry, "Connection lost");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  mainframe.ClearTraffic();
  EnterValue(panel, IDC_MAIN_FREQ, "3M");
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(mainframe.Traffic(), Lines{});
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");

  app.Command(ID_SYSTEM_RECONNECT);
  PumpMessages(50);
  EXPECT_EQ(WhatTheOperatorSees(app).lamp, kLiveLamp);
  EXPECT_EQ(ConnectionWindow(), nullptr);
  EXPECT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(mainframe.StateOf("ampl"), "2.5");
  ExpectInstrumentEqualsPanels();
}

TEST_F(LinkLostAndPowerCycled, YesSendsThePanelsSettings) {
  LoseTheLink();
  Answer(IDYES);
  app.Command(ID_SYSTEM_RECONNECT);
  ASSERT_EQ(boxes.m_boxes.size(), 2u) << ::testing::PrintToString(boxes.Texts());
  EXPECT_EQ(boxes.m_boxes[1].caption, "TG Q3207 SFP");
  EXPECT_EQ(boxes.m_boxes[1].text, kPowerOnQuestion);
  EXPECT_EQ(mainframe.StateOf("ampl"), "2.5");
  EXPECT_EQ(Text(IDC_MAIN_AMPL), "2.5 Vpp");
  ExpectInstrumentEqualsPanels();
}

TEST_F(LinkLostAndPowerCycled, NoTakesTheInstrumentsSettings) {
  LoseTheLink();
  Answer(IDNO);
  app.Command(ID_SYSTEM_RECONNECT);
  ASSERT_EQ(boxes.m_boxes.size(), 2u);
  EXPECT_EQ(boxes.m_boxes[1].text, kPowerOnQuestion);
  EXPECT_EQ(mainframe.StateOf("ampl"), "0.10000000000000001");
  EXPECT_EQ(Text(IDC_MAIN_AMPL), "100 mVpp");
  ExpectInstrumentEqualsPanels();
}

TEST_F(LinkLost, AnotherInstrumentAtTheAddressIsNeverWrittenTo) {
  LoseTheLink();
  ASSERT_TRUE(mainframe.Configure((std::string(kSimulatedQ3207) + "idn OTHER MAKER,DMM,7,1.0\n").c_str()));
  app.Command(ID_SYSTEM_RECONNECT);
  EXPECT_EQ(mainframe.Traffic(), (Lines{Event("open"), Write("*IDN?"), Read("OTHER MAKER,DMM,7,1.0"),
                                        StatusByte(0), Event("close")}));
  EXPECT_EQ(WhatTheOperatorSees(app).lamp, kLinkDownLamp);
  ASSERT_NE(ConnectionWindow(), nullptr);
  EXPECT_EQ(TextOf(ConnectionWindow(), IDC_CONNECTION_TEXT),
            "Another instrument answers at GPIB-VXI0::24::INSTR: OTHER MAKER,DMM,7,1.0. Nothing is sent to it. "
            "Reconnect when the right one is back, or work non-live.");
}

TEST_F(LinkLost, WorkNonLiveKeepsTheSettings) {
  LoseTheLink();
  ClickButton(ConnectionWindow(), IDC_CONNECTION_NON_LIVE);
  PumpMessages(50);
  COperatorView view = WhatTheOperatorSees(app);
  EXPECT_FALSE(view.live);
  EXPECT_EQ(view.lamp, kNonLiveLamp);
  EXPECT_EQ(view.address, "Addr Unknown");
  EXPECT_EQ(ConnectionWindow(), nullptr);
  EXPECT_EQ(TextOf(app.Panel(), IDC_MAIN_AMPL), "2.5 Vpp");
}

// Connect... always asks; the first entry is taken.
class ConnectAgain : public ::testing::Test {
 protected:
  void Connect() {
    boxes.m_onOwnDialog = [](HWND dialog) {
      if (TextOf(dialog) == "Select Instrument") ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    };
    app.Command(ID_SYSTEM_CONNECT);
    PumpMessages(50);
  }
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
};

TEST_F(ConnectAgain, FromNonLiveToTheMainframesModule) {
  EXPECT_FALSE(StartLive(app, "-a NOSUCH0::1::INSTR"));
  Connect();
  COperatorView view = WhatTheOperatorSees(app);
  EXPECT_TRUE(view.live);
  EXPECT_EQ(view.lamp, kLiveLamp);
  EXPECT_EQ(view.address, "Slot 3 GPIB-VXI0::24");
  EXPECT_TRUE(boxes.m_boxes.empty());
}

TEST_F(ConnectAgain, FromOneModuleToTheOther) {
  ASSERT_TRUE(mainframe.Configure(
      "resource VXI0::8::INSTR\nslot 2\nmanf 0x0FFF\nmodel 0x0244\n"
      "resource GPIB-VXI0::24::INSTR\nslot 3\nmanf 0x0FFF\nmodel 0x0244\n"));
  ASSERT_TRUE(StartLive(app, "-a GPIB-VXI0::24::INSTR"));
  Connect();
  EXPECT_EQ(WhatTheOperatorSees(app).address, "Slot 2 VXI0::8");
  EXPECT_EQ(theApp.GetRsrcName(), "VXI0::8::INSTR");
}

}  // namespace
