// Start-up through the real discovery: the simulated VISA on the search path,
// the driver DLL beside the program, and what the operator sees at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win32/wait_cursor.h"
#include "tests/connect/operator_view.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

const char kNoInstrument[] = "Did not find an instrument.  Creating non-lve SFP.";

class Discovery : public ::testing::Test {
 protected:
  void Start(const char* config, const std::string& commandLine = "") {
    ASSERT_TRUE(mainframe.Configure(config));
    boxes.m_onDialog = [this](HWND) {
      waitCursorDuringBox = IsWaitCursorShown();
      return false;
    };
    boxes.m_onOwnDialog = [this](HWND dialog) {
      ownDialogShown = true;
      ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    app.Start(nullptr, commandLine);
  }
  // The traffic of discovery: the lines up to the driver's own open, the
  // `opens`-th open of the run.
  Lines DiscoveryTraffic(int opens) const {
    Lines lines;
    for (const std::string& line : mainframe.Traffic()) {
      lines.push_back(line);
      if (line.rfind("open ", 0) == 0 && --opens == 0) break;
    }
    return lines;
  }
  void ExpectNonLiveAfter(const Lines& messages) {
    EXPECT_EQ(boxes.Texts(), messages);
    for (const CBoxSeen& box : boxes.m_boxes) {
      EXPECT_EQ(box.caption, "TG Q3207 SFP");
      EXPECT_TRUE(box.hasIcon);
    }
    COperatorView view = WhatTheOperatorSees(app);
    EXPECT_FALSE(view.live);
    EXPECT_EQ(view.lamp, kNonLiveLamp);
    EXPECT_EQ(view.address, "Addr Unknown");
    EXPECT_EQ(WaitCursorDepth(), 0);
  }
  void ExpectLiveOn(const CRecordSeen& record, const std::string& address) {
    EXPECT_TRUE(boxes.m_boxes.empty()) << boxes.m_boxes.front().text;
    EXPECT_FALSE(ownDialogShown);
    COperatorView view = WhatTheOperatorSees(app);
    EXPECT_TRUE(view.live);
    EXPECT_EQ(view.lamp, kLiveLamp);
    EXPECT_EQ(view.address, address);
    EXPECT_EQ(DiscoveryRecord(), record);
    EXPECT_EQ(WaitCursorDepth(), 0);
  }

  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  bool ownDialogShown = false;
  bool waitCursorDuringBox = false;
};

TEST_F(Discovery, GpibInstrumentWhoseReplyCarriesMoreFieldsOpensLive) {
  Start("resource GPIB0::9::INSTR\nidn TARROWS-GIMBELL,Q3207,OPT 1,SN 4711,A.01.00\n");
  ExpectLiveOn({"GPIB0::9::INSTR", -1, 10000 + 900 + 65535, 1}, "GPIB0::9");
  EXPECT_EQ(DiscoveryTraffic(3),
            (Lines{"open GPIB0::9::INSTR", "write GPIB0::9::INSTR *IDN?",
                   "read GPIB0::9::INSTR TARROWS-GIMBELL,Q3207,OPT 1,SN 4711,A.01.00",
                   "close GPIB0::9::INSTR", "open GPIB0::9::INSTR", "close GPIB0::9::INSTR",
                   "open GPIB0::9::INSTR"}));
}

// A reply handed over in pieces and ended in CR LF identifies as well.
TEST_F(Discovery, GpibReplyInPiecesEndingInCarriageReturnAndLineFeedOpensLive) {
  Start("resource GPIB0::9::INSTR\nlargest-piece 2\nline-end crlf\n");
  ExpectLiveOn({"GPIB0::9::INSTR", -1, 10000 + 900 + 65535, 1}, "GPIB0::9");
  ASSERT_GE(mainframe.Traffic().size(), 3u);
  EXPECT_EQ(mainframe.Traffic()[2], "read GPIB0::9::INSTR TARROWS-GIMBELL,Q3207,0,A.01.00");
}

// A raw socket named on the command line: nothing identifies it, the driver
// opens it.
TEST_F(Discovery, SocketNamedOnTheCommandLineOpensLive) {
  Start("resource TCPIP0::127.0.0.1::5025::SOCKET\n", "-a TCPIP0::127.0.0.1::5025::SOCKET");
  ExpectLiveOn({"TCPIP0::127.0.0.1::5025::SOCKET", -1, -1, 6}, "TCPIP0::127.0.0.1::5025::SOCKET");
  EXPECT_EQ(DiscoveryTraffic(2),
            (Lines{"open TCPIP0::127.0.0.1::5025::SOCKET", "close TCPIP0::127.0.0.1::5025::SOCKET",
                   "open TCPIP0::127.0.0.1::5025::SOCKET"}));
}

TEST_F(Discovery, GpibAddressesWithASecondaryMakeTheCode) {
  Start("resource GPIB0::7::3::INSTR\ngpib 7 3\n");
  ExpectLiveOn({"GPIB0::7::3::INSTR", -1, 10703, 1}, "GPIB0::7::3");
}

TEST_F(Discovery, NoMoreThan100BytesOfTheReplyAreRead) {
  const std::string reply = "TARROWS-GIMBELL,Q3207," + std::string(120, '7');
  Start(("resource GPIB0::9::INSTR\nidn " + reply + "\n").c_str());
  ASSERT_GE(mainframe.Traffic().size(), 3u);
  EXPECT_EQ(mainframe.Traffic()[2], "read GPIB0::9::INSTR " + reply.substr(0, 100));
  EXPECT_TRUE(theApp.m_pInstrument->m_live);
}

TEST_F(Discovery, PrefixInLowerCaseIsNotTheInstrument) {
  Start("resource GPIB0::9::INSTR\nidn tarrows-gimbell,q3207,0,A.01.00\n");
  ExpectNonLiveAfter({kNoInstrument});
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{"open GPIB0::9::INSTR", "write GPIB0::9::INSTR *IDN?",
                   "read GPIB0::9::INSTR tarrows-gimbell,q3207,0,A.01.00", "close GPIB0::9::INSTR"}));
  EXPECT_TRUE(waitCursorDuringBox);
}

TEST_F(Discovery, VxiModuleIsKnownByManufacturer4095AndModel580InTheLower12Bits) {
  Start(
      "resource VXI0::8::INSTR\nmanf 4094\nmodel 0x0244\nslot 2\n"
      "resource VXI0::16::INSTR\nmanf 4095\nmodel 0xF244\nslot 5\n");
  ExpectLiveOn({"VXI0::16::INSTR", 5, 16, 2}, "Slot 5 VXI0::16");
  EXPECT_EQ(DiscoveryTraffic(4),
            (Lines{"open VXI0::8::INSTR", "close VXI0::8::INSTR", "open VXI0::16::INSTR",
                   "close VXI0::16::INSTR", "open VXI0::16::INSTR", "close VXI0::16::INSTR",
                   "open VXI0::16::INSTR"}));
}

// A LAN instrument identifies itself as a GPIB one does.
TEST_F(Discovery, ALanInstrumentAloneIsOpenedWithoutAsking) {
  Start("resource TCPIP0::10.0.0.5::inst0::INSTR\n");
  const std::string lan = "TCPIP0::10.0.0.5::inst0::INSTR";
  ExpectLiveOn({lan, -1, -1, 6}, "TCPIP0::10.0.0.5::inst0");
  EXPECT_EQ(DiscoveryTraffic(3),
            (Lines{"open " + lan, "write " + lan + " *IDN?",
                   "read " + lan + " TARROWS-GIMBELL,Q3207,0,A.01.00", "close " + lan,
                   "open " + lan, "close " + lan, "open " + lan}));
}

TEST_F(Discovery, OfThreeIdentifiedTheOneOnGpibVxiIsOpenedWithoutAsking) {
  Start(
      "resource VXI0::8::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 2\n"
      "resource GPIB-VXI0::24::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 3\n"
      "resource VXI0::16::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 4\n");
  ExpectLiveOn({"GPIB-VXI0::24::INSTR", 3, 24, 3}, "Slot 3 GPIB-VXI0::24");
}

TEST_F(Discovery, ResourcesThatFailToOpenOrToIdentifyAreSkippedSilently) {
  Start(
      "resource VXI0::1::INSTR\nmanf 0x0FFF\nmodel 0x0244\nopen-fails\n"
      "resource ASRL1::INSTR\nscpi none\n"
      "resource GPIB0::5::INSTR\nscpi idn\nidn OTHER MAKER,DMM,0,1.0\n"
      "resource VXI0::2::INSTR\nmanf 0x0FFF\nmodel 0x0244\nopen-fails 0x3FFF0077\n");
  ExpectNonLiveAfter({kNoInstrument});
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{"open-failed VXI0::1::INSTR", "open ASRL1::INSTR", "close ASRL1::INSTR",
                   "open GPIB0::5::INSTR", "write GPIB0::5::INSTR *IDN?",
                   "read GPIB0::5::INSTR OTHER MAKER,DMM,0,1.0", "close GPIB0::5::INSTR",
                   "open VXI0::2::INSTR", "close VXI0::2::INSTR"}));
}

TEST_F(Discovery, AMatchCountLargerThanTheListAddsNoCandidate) {
  Start(("find-count-extra 3\n" + std::string(kSimulatedQ3207)).c_str());
  ExpectLiveOn({"GPIB-VXI0::24::INSTR", 3, 24, 3}, "Slot 3 GPIB-VXI0::24");
}

TEST_F(Discovery, FailingResourceManagerIsAnnounced) {
  Start(("rm-fails\n" + std::string(kSimulatedQ3207)).c_str());
  ExpectNonLiveAfter({"Open of default RM failed.  Creating non-live SFP."});
  EXPECT_TRUE(mainframe.Traffic().empty());
  EXPECT_TRUE(waitCursorDuringBox);
}

TEST_F(Discovery, FailingSearchIsAnnouncedAsNoInstrument) {
  Start(("find-fails\n" + std::string(kSimulatedQ3207)).c_str());
  ExpectNonLiveAfter({kNoInstrument});
  EXPECT_TRUE(mainframe.Traffic().empty());
}

TEST_F(Discovery, NamedResourceIsOpenedWithoutSearchOrIdentification) {
  // The search would reject this reply; the name alone decides.
  Start(
      "resource VXI0::8::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 2\n"
      "resource GPIB0::9::INSTR\nidn tarrows-gimbell,q3207\n",
      "-a   gpib0::9::instr");
  ExpectLiveOn({"GPIB0::9::INSTR", -1, 76435, 1}, "GPIB0::9");
  EXPECT_EQ(DiscoveryTraffic(2),
            (Lines{"open GPIB0::9::INSTR", "close GPIB0::9::INSTR", "open GPIB0::9::INSTR"}));
}

TEST_F(Discovery, UnknownNamedResourceRunsNonLiveWithoutAMessage) {
  Start(nullptr, "/a vxi9::99::instr");
  ExpectNonLiveAfter({});
  EXPECT_EQ(mainframe.Traffic(),
            (Lines{"open-failed VXI9::99::INSTR", "open-failed VXI9::99::INSTR"}));
  EXPECT_FALSE(ownDialogShown);
}

TEST_F(Discovery, NameOptionAtTheEndGivesAnEmptyNameThatDoesNotOpen) {
  Start(nullptr, "-r -a");
  ExpectNonLiveAfter({});
  EXPECT_TRUE(mainframe.Traffic().empty());
  EXPECT_EQ(theApp.m_rsrcName, "");
}

TEST_F(Discovery, ResetIsAskedOnlyWithTheOption) {
  Start(kSimulatedQ3207, "/R");
  Lines traffic = mainframe.Traffic();
  ASSERT_GE(traffic.size(), 7u);
  EXPECT_EQ(Lines(traffic.begin() + 4, traffic.begin() + 7),
            (Lines{"open GPIB-VXI0::24::INSTR", "write GPIB-VXI0::24::INSTR *RST",
                   "write GPIB-VXI0::24::INSTR *CLS"}));
  app.Stop();
  Start(kSimulatedQ3207);
  for (const std::string& line : mainframe.Traffic())
    EXPECT_NE(line, "write GPIB-VXI0::24::INSTR *RST");
}

}  // namespace
