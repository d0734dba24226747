#include "visa-sim/model/mainframe_config.h"

#include <gtest/gtest.h>

#include "visa.h"

namespace {

using tgqsim::ConfigResult;
using tgqsim::DeviceKind;
using tgqsim::ParseMainframeConfig;

TEST(MainframeConfig, BuiltInMainframeHoldsOneQ3207) {
  ConfigResult r = ParseMainframeConfig(tgqsim::DefaultMainframeText());
  ASSERT_EQ(r.badLine, 0) << r.problem;
  ASSERT_EQ(r.config.resources.size(), 1u);
  const tgqsim::ResourceConfig& q = r.config.resources[0];
  EXPECT_EQ(q.name, "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(q.intfType, 3);
  EXPECT_EQ(q.slot, 3);
  EXPECT_EQ(q.logicalAddress, 24);
  EXPECT_EQ(q.manfId, 0x0FFF);
  EXPECT_EQ(q.modelCode, 0x0244);
  EXPECT_EQ(q.device, DeviceKind::kQ3207);
  EXPECT_EQ(q.profile.identification, "TARROWS-GIMBELL,Q3207,0,A.01.00");
  EXPECT_EQ(q.profile.options, "1:PLL");
  EXPECT_TRUE(q.profile.pllLocked);
  EXPECT_FALSE(r.config.rmStatus);
  EXPECT_FALSE(r.config.findStatus);
  EXPECT_EQ(r.config.findCountExtra, 0);
}

TEST(MainframeConfig, EveryKeyIsRead) {
  ConfigResult r = ParseMainframeConfig(
      "# faults of the whole mainframe\n"
      "rm-fails\n"
      "find-fails 0xBFFF0011\n"
      "find-count-extra 2\n"
      "\n"
      "resource VXI0::8::INSTR\n"
      "  manf 4095\n"
      "  model 0xF244\n"
      "  slot -1\n"
      "  idn TARROWS-GIMBELL,Q3207, 0 ,A.01.00\n"
      "  options\n"
      "  self-test -3\n"
      "  pll unlocked\n"
      "  stb-extra 16\n"
      "  open-fails\n"
      "  timeout-on :freq?\n"
      "  timeout-on VOLT\n"
      "  timeout-io 7\n"
      "  delay-ms 20\n"
      "  long-reply FUNC?\n"
      "  long-reply *IDN? 300\n"
      "  error-flood *RST 25\n"
      "  drop-on *TRG\n"
      "  stall-on FREQ?\n"
      "  stall-on *IDN? 5\n"
      "  end-indicator no\n"
      "  line-end crlf\n"
      "  largest-piece 3\n"
      "  set-warns VI_ATTR_TMO_VALUE\n"
      "  set-warns VI_ATTR_TERMCHAR_EN\n"
      "  link-lost-io 9\n"
      "  link-lost-ms 1500\n"
      "  link-back-ms 11000\n"
      "  link-lost-again\n"
      "resource ASRL1::INSTR\n"
      "  scpi none\n"
      "  open-fails -1073807343\n"
      "resource GPIB0::7::INSTR\n"
      "  scpi idn\n"
      "  gpib 9 3\n"
      "  intf 1\n");
  ASSERT_EQ(r.badLine, 0) << r.problem;
  const tgqsim::MainframeConfig& c = r.config;
  EXPECT_EQ(c.rmStatus, VI_ERROR_SYSTEM_ERROR);
  EXPECT_EQ(c.findStatus, VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(c.findCountExtra, 2);
  ASSERT_EQ(c.resources.size(), 3u);
  const tgqsim::ResourceConfig& vxi = c.resources[0];
  EXPECT_EQ(vxi.intfType, VI_INTF_VXI);
  EXPECT_EQ(vxi.logicalAddress, 8);
  EXPECT_EQ(vxi.manfId, 4095);
  EXPECT_EQ(vxi.modelCode, 0xF244);
  EXPECT_EQ(vxi.slot, -1);
  EXPECT_EQ(vxi.profile.identification, "TARROWS-GIMBELL,Q3207, 0 ,A.01.00");
  EXPECT_EQ(vxi.profile.options, "");
  EXPECT_EQ(vxi.profile.selfTestCode, -3);
  EXPECT_FALSE(vxi.profile.pllLocked);
  EXPECT_EQ(vxi.profile.extraStatusBits, 16);
  EXPECT_EQ(vxi.openStatus, VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(vxi.timeoutHeaders, (std::vector<std::string>{"FREQ?", "VOLT"}));
  EXPECT_EQ(vxi.timeoutIos, std::vector<int>{7});
  EXPECT_EQ(vxi.delayMs, 20);
  ASSERT_EQ(vxi.longReplies.size(), 2u);
  EXPECT_EQ(vxi.longReplies[0].header, "FUNC?");
  EXPECT_EQ(vxi.longReplies[0].amount, 4096);
  EXPECT_EQ(vxi.longReplies[1].amount, 300);
  ASSERT_EQ(vxi.errorFloods.size(), 1u);
  EXPECT_EQ(vxi.errorFloods[0].header, "*RST");
  EXPECT_EQ(vxi.errorFloods[0].amount, 25);
  EXPECT_EQ(vxi.dropHeaders, std::vector<std::string>{"*TRG"});
  ASSERT_EQ(vxi.stallReplies.size(), 2u);
  EXPECT_EQ(vxi.stallReplies[0].amount, 1);
  EXPECT_EQ(vxi.stallReplies[1].header, "*IDN?");
  EXPECT_EQ(vxi.stallReplies[1].amount, 5);
  EXPECT_FALSE(vxi.socket);
  EXPECT_FALSE(vxi.endIndicator);
  EXPECT_TRUE(vxi.carriageReturn);
  EXPECT_EQ(vxi.largestPiece, 3u);
  EXPECT_EQ(vxi.setWarnings, (std::vector<uint32_t>{VI_ATTR_TMO_VALUE, VI_ATTR_TERMCHAR_EN}));
  EXPECT_EQ(vxi.link.lostAtIo, 9);
  EXPECT_EQ(vxi.link.lostAtMs, 1500);
  EXPECT_EQ(vxi.link.backAfterMs, 11000);
  EXPECT_FALSE(vxi.link.backAfterIos.has_value());
  EXPECT_FALSE(vxi.link.powerCycle);
  EXPECT_TRUE(vxi.link.lostAgain);
  EXPECT_TRUE(c.resources[1].endIndicator);
  EXPECT_FALSE(c.resources[1].carriageReturn);
  EXPECT_EQ(c.resources[1].largestPiece, 0u);
  EXPECT_EQ(c.resources[1].intfType, VI_INTF_ASRL);
  EXPECT_EQ(c.resources[1].device, DeviceKind::kSilent);
  EXPECT_EQ(c.resources[1].openStatus, VI_ERROR_RSRC_NFOUND);
  const tgqsim::ResourceConfig& gpib = c.resources[2];
  EXPECT_EQ(gpib.device, DeviceKind::kIdentifyOnly);
  EXPECT_EQ(gpib.gpibPrimary, 9);
  EXPECT_EQ(gpib.gpibSecondary, 3);
}

TEST(MainframeConfig, NameGivesInterfaceTypeAndAddressesUntilSaidOtherwise) {
  ConfigResult r = ParseMainframeConfig(
      "resource GPIB0::9::INSTR\nresource GPIB1::4::2::INSTR\nresource GPIB-VXI0::40::INSTR\n"
      "resource TCPIP0::10.0.0.1::INSTR\nresource USB0::1::INSTR\n"
      "resource TCPIP0::host::5025::socket\n");
  ASSERT_EQ(r.badLine, 0) << r.problem;
  const std::vector<tgqsim::ResourceConfig>& res = r.config.resources;
  EXPECT_EQ(res[0].intfType, VI_INTF_GPIB);
  EXPECT_EQ(res[0].gpibPrimary, 9);
  EXPECT_EQ(res[0].gpibSecondary, VI_NO_SEC_ADDR);
  EXPECT_EQ(res[0].logicalAddress, -1);
  EXPECT_EQ(res[1].gpibPrimary, 4);
  EXPECT_EQ(res[1].gpibSecondary, 2);
  EXPECT_EQ(res[2].intfType, VI_INTF_GPIB_VXI);
  EXPECT_EQ(res[2].logicalAddress, 40);
  EXPECT_EQ(res[2].slot, -1);
  EXPECT_EQ(res[3].intfType, VI_INTF_TCPIP);
  EXPECT_EQ(res[4].intfType, 0);
  EXPECT_EQ(res[5].intfType, VI_INTF_TCPIP);
  EXPECT_TRUE(res[5].socket);
  EXPECT_FALSE(res[5].endIndicator);
  EXPECT_FALSE(res[3].socket);
  EXPECT_TRUE(res[3].endIndicator);
}

TEST(MainframeConfig, FirstBadLineIsReported) {
  struct Case {
    const char* text;
    int badLine;
  };
  for (Case c : std::vector<Case>{
           {"intf 3\n", 1},
           {"resource A::INSTR\nfrob 1\n", 2},
           {"# comment\n\nresource A::INSTR\nslot three\n", 4},
           {"resource A::INSTR\nslot 40000\n", 2},
           {"resource A::INSTR\nmanf -1\n", 2},
           {"resource A::INSTR\nmodel 0x10000\n", 2},
           {"resource A::INSTR\nresource a::instr\n", 2},
           {"resource\n", 1},
           {"resource A B\n", 1},
           {"resource A::INSTR\nscpi q3208\n", 2},
           {"resource A::INSTR\npll maybe\n", 2},
           {"resource A::INSTR\nidn\n", 2},
           {"resource A::INSTR\nopen-fails 0\n", 2},
           {"resource A::INSTR\nopen-fails 0x1FFFFFFFF\n", 2},
           {"resource A::INSTR\nerror-flood *RST\n", 2},
           {"resource A::INSTR\nerror-flood *RST 0\n", 2},
           {"resource A::INSTR\ntimeout-on FREQ 1\n", 2},
           {"resource A::INSTR\nstall-on FREQ? 0\n", 2},
           {"resource A::INSTR\ndrop-on\n", 2},
           {"resource A::INSTR\ntimeout-io 0\n", 2},
           {"resource A::INSTR\ngpib 31\n", 2},
           {"resource A::INSTR\nstb-extra 256\n", 2},
           {"find-count-extra\n", 1},
           {"resource A::SOCKET\nend-indicator yes\n", 2},
           {"resource A::INSTR\nend-indicator maybe\n", 2},
           {"resource A::INSTR\nline-end cr\n", 2},
           {"resource A::INSTR\nlargest-piece 0\n", 2},
           {"resource A::INSTR\nset-warns VI_ATTR_SLOT\n", 2},
       }) {
    ConfigResult r = ParseMainframeConfig(c.text);
    EXPECT_EQ(r.badLine, c.badLine) << c.text;
    EXPECT_FALSE(r.problem.empty()) << c.text;
    EXPECT_TRUE(r.config.resources.empty()) << c.text;
  }
  EXPECT_EQ(ParseMainframeConfig("resource " + std::string(256, 'A') + "\n").badLine, 1);
  EXPECT_EQ(ParseMainframeConfig("resource " + std::string(255, 'A') + "\n").badLine, 0);
}

}  // namespace
