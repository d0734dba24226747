#include "connect/instrument_search.h"

#include <gtest/gtest.h>

#include "tests/connect/fake_visa.h"

namespace {

using Lines = std::vector<std::string>;
const char kPrefix[] = "TARROWS-GIMBELL,Q3207";

Lines Search(const CVisaEntryPoints& visa, bool acceptAny = false) {
  return FindCandidates(visa, fake_visa::kResourceManager, acceptAny, kPrefix);
}

TEST(InstrumentSearch, GpibQueryIsFiveBytesWithoutLineFeedAndTheReplyAtMost100) {
  CVisaEntryPoints visa = FakeVisa({GpibResource("GPIB0::9::INSTR", "TARROWS-GIMBELL,Q3207,0,A.01.00\n")});
  EXPECT_EQ(Search(visa), Lines{"GPIB0::9::INSTR"});
  EXPECT_EQ(g_fakeVisa.calls,
            (Lines{"find ?*INSTR", "open GPIB0::9::INSTR", "write GPIB0::9::INSTR *IDN?|5",
                   "read GPIB0::9::INSTR 100", "close GPIB0::9::INSTR", "close list"}));
}

// The same query identifies an instrument on the LAN or on USB; a serial
// port is never asked.
TEST(InstrumentSearch, LanAndUsbInstrumentsAnswerTheGpibQuery) {
  auto on = [](ViUInt16 intf, const char* name, const char* reply) {
    CFakeResource resource = GpibResource(name, reply);
    resource.attributes[VI_ATTR_INTF_TYPE] = intf;
    return resource;
  };
  CVisaEntryPoints visa = FakeVisa({
      on(VI_INTF_TCPIP, "TCPIP0::10.0.0.5::inst0::INSTR", "TARROWS-GIMBELL,Q3207,0,A.01.00\n"),
      on(7 /* USB */, "USB0::0x0FFF::0x0244::7::INSTR", "TARROWS-GIMBELL,Q3207,7,A.01.00\n"),
      on(VI_INTF_TCPIP, "TCPIP0::10.0.0.6::inst0::INSTR", "OTHER MAKER,DMM\n"),
      on(VI_INTF_ASRL, "ASRL1::INSTR", "TARROWS-GIMBELL,Q3207,0,A.01.00\n"),
  });
  EXPECT_EQ(Search(visa), (Lines{"TCPIP0::10.0.0.5::inst0::INSTR", "USB0::0x0FFF::0x0244::7::INSTR"}));
  EXPECT_EQ(g_fakeVisa.calls[2], "write TCPIP0::10.0.0.5::inst0::INSTR *IDN?|5");
  EXPECT_EQ(g_fakeVisa.calls[3], "read TCPIP0::10.0.0.5::inst0::INSTR 100");
  for (const std::string& call : g_fakeVisa.calls) EXPECT_NE(call, "write ASRL1::INSTR *IDN?|5");
}

TEST(InstrumentSearch, OnlyTheFirst21BytesCountAndCaseMatters) {
  CVisaEntryPoints visa = FakeVisa({
      GpibResource("GPIB0::1::INSTR", "TARROWS-GIMBELL,Q3207"),                 // exactly 21
      GpibResource("GPIB0::2::INSTR", "TARROWS-GIMBELL,Q3207A,SN 123,REV 9\n"),  // more fields
      GpibResource("GPIB0::3::INSTR", "TARROWS-GIMBELL,Q320"),                  // 20 bytes
      GpibResource("GPIB0::4::INSTR", "tarrows-gimbell,q3207,0,A.01.00\n"),
      GpibResource("GPIB0::5::INSTR", " TARROWS-GIMBELL,Q3207\n"),
      GpibResource("GPIB0::6::INSTR", "TARROWS-GIMBELL,Q3270,0,A.01.00\n"),
  });
  EXPECT_EQ(Search(visa), (Lines{"GPIB0::1::INSTR", "GPIB0::2::INSTR"}));
}

TEST(InstrumentSearch, AReadReportingMoreThanAskedIsCutToWhatWasAsked) {
  CFakeResource shortReply = GpibResource("GPIB0::1::INSTR", "TARROWS");
  shortReply.claimedReadCount = 5000;
  CFakeResource identified = GpibResource("GPIB0::2::INSTR", "TARROWS-GIMBELL,Q3207\n");
  identified.claimedReadCount = 5000;
  CVisaEntryPoints visa = FakeVisa({shortReply, identified});
  EXPECT_EQ(Search(visa), Lines{"GPIB0::2::INSTR"});
}

TEST(InstrumentSearch, VxiModulesAreKnownByManufacturerAndTheLower12BitsOfTheModel) {
  CVisaEntryPoints visa = FakeVisa({
      VxiResource("VXI0::1::INSTR", VI_INTF_VXI, 0x0FFF, 0x0244),
      VxiResource("VXI0::2::INSTR", VI_INTF_VXI, 4095, 0xF244),
      VxiResource("VXI0::3::INSTR", VI_INTF_VXI, 4094, 0x0244),
      VxiResource("VXI0::4::INSTR", VI_INTF_VXI, 4095, 0x0245),
      VxiResource("VXI0::5::INSTR", VI_INTF_VXI, 0xFFFF, 0x0244),
      VxiResource("GPIB-VXI0::6::INSTR", VI_INTF_GPIB_VXI, 4095, 0x1244),
      // The library writes past 16 bits; the attributes are 16 bits wide.
      VxiResource("GPIB-VXI0::7::INSTR", VI_INTF_GPIB_VXI, 0x7FFF0FFF, 0x55550244),
      VxiResource("ASRL1::INSTR", VI_INTF_ASRL, 4095, 0x0244),
      VxiResource("TCPIP0::host::INSTR", VI_INTF_TCPIP, 4095, 0x0244),
  });
  EXPECT_EQ(Search(visa), (Lines{"VXI0::1::INSTR", "VXI0::2::INSTR", "GPIB-VXI0::6::INSTR",
                                 "GPIB-VXI0::7::INSTR"}));
}

TEST(InstrumentSearch, AttributesThatDoNotReadReject) {
  CFakeResource noType = VxiResource("VXI0::1::INSTR", VI_INTF_VXI, 4095, 0x0244);
  noType.attributes.erase(VI_ATTR_INTF_TYPE);
  CFakeResource noManufacturer = VxiResource("VXI0::2::INSTR", VI_INTF_VXI, 4095, 0x0244);
  noManufacturer.attributes.erase(VI_ATTR_MANF_ID);
  CFakeResource noModel = VxiResource("VXI0::3::INSTR", VI_INTF_VXI, 4095, 0x0244);
  noModel.attributes.erase(VI_ATTR_MODEL_CODE);
  CVisaEntryPoints visa = FakeVisa({noType, noManufacturer, noModel});
  EXPECT_TRUE(Search(visa).empty());
  noType.name = "ASRL9::INSTR";
  visa = FakeVisa({noType});
  EXPECT_TRUE(Search(visa, true).empty());
}

TEST(InstrumentSearch, OnlySessionsThatOpenedAreClosedAndAWarningStillRejects) {
  CFakeResource failing = VxiResource("VXI0::1::INSTR", VI_INTF_VXI, 4095, 0x0244);
  failing.openStatus = VI_ERROR_RSRC_NFOUND;
  CFakeResource warned = VxiResource("VXI0::2::INSTR", VI_INTF_VXI, 4095, 0x0244);
  warned.openStatus = VI_WARN_NSUP_RESET;
  CVisaEntryPoints visa = FakeVisa({failing, warned});
  EXPECT_TRUE(Search(visa).empty());
  EXPECT_EQ(g_fakeVisa.calls, (Lines{"find ?*INSTR", "open VXI0::1::INSTR", "open VXI0::2::INSTR",
                                     "close VXI0::2::INSTR", "close list"}));
}

TEST(InstrumentSearch, ChoosingAnyAcceptsEveryTypeWithoutAQuery) {
  CVisaEntryPoints visa = FakeVisa({VxiResource("ASRL1::INSTR", VI_INTF_ASRL, 0, 0),
                                    GpibResource("GPIB0::3::INSTR", "OTHER MAKER,DMM\n"),
                                    VxiResource("VXI0::4::INSTR", VI_INTF_VXI, 1, 1)});
  EXPECT_EQ(Search(visa, true), (Lines{"ASRL1::INSTR", "GPIB0::3::INSTR", "VXI0::4::INSTR"}));
  for (const std::string& call : g_fakeVisa.calls) EXPECT_NE(call.rfind("write", 0), 0u) << call;
}

TEST(InstrumentSearch, ACountLargerThanTheListNeverTriesADescriptionTwice) {
  CVisaEntryPoints visa = FakeVisa({VxiResource("VXI0::1::INSTR", VI_INTF_VXI, 4095, 0x0244),
                                    VxiResource("VXI0::2::INSTR", VI_INTF_VXI, 4095, 0x0244)});
  g_fakeVisa.extraMatches = 3;
  EXPECT_EQ(Search(visa), (Lines{"VXI0::1::INSTR", "VXI0::2::INSTR"}));
  EXPECT_EQ(g_fakeVisa.calls,
            (Lines{"find ?*INSTR", "open VXI0::1::INSTR", "close VXI0::1::INSTR",
                   "open VXI0::2::INSTR", "close VXI0::2::INSTR", "close list"}));
}

TEST(InstrumentSearch, ADescriptionFillingTheWholeBufferIsCutTo255Characters) {
  std::string longName(300, 'V');
  CVisaEntryPoints visa = FakeVisa({VxiResource(longName, VI_INTF_VXI, 4095, 0x0244)});
  g_fakeVisa.descriptionsFillBuffer = true;
  EXPECT_TRUE(Search(visa).empty());
  ASSERT_EQ(g_fakeVisa.calls.size(), 3u);
  EXPECT_EQ(g_fakeVisa.calls[1], "open " + std::string(255, 'V'));
}

TEST(InstrumentSearch, AFailingSearchGivesNoCandidatesAndClosesNothing) {
  CVisaEntryPoints visa = FakeVisa({VxiResource("VXI0::1::INSTR", VI_INTF_VXI, 4095, 0x0244)});
  g_fakeVisa.findStatus = VI_ERROR_RSRC_NFOUND;
  EXPECT_TRUE(Search(visa).empty());
  EXPECT_EQ(g_fakeVisa.calls, Lines{"find ?*INSTR"});
}

TEST(ChooseWithoutAsking, TakesTheOnlyCandidateOrTheOnlyOneOnGpibVxi) {
  EXPECT_EQ(ChooseWithoutAsking({"GPIB0::9::INSTR"}, false), "GPIB0::9::INSTR");
  EXPECT_EQ(ChooseWithoutAsking({"VXI0::8::INSTR", "GPIB-VXI0::24::INSTR", "VXI0::16::INSTR"}, false),
            "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(ChooseWithoutAsking({"VXI0::8::INSTR", "MY-GPIB-VXI-BOX::1::INSTR"}, false),
            "MY-GPIB-VXI-BOX::1::INSTR");
}

TEST(ChooseWithoutAsking, LeavesTheChoiceToTheOperatorOtherwise) {
  EXPECT_EQ(ChooseWithoutAsking({"GPIB0::9::INSTR"}, true), std::nullopt);
  EXPECT_EQ(ChooseWithoutAsking({"VXI0::8::INSTR", "GPIB-VXI0::24::INSTR"}, true), std::nullopt);
  EXPECT_EQ(ChooseWithoutAsking({"GPIB-VXI0::24::INSTR", "GPIB-VXI1::24::INSTR"}, false),
            std::nullopt);
  EXPECT_EQ(ChooseWithoutAsking({"VXI0::8::INSTR", "VXI0::16::INSTR"}, false), std::nullopt);
  EXPECT_EQ(ChooseWithoutAsking({"VXI0::8::INSTR", "gpib-vxi0::24::INSTR"}, false), std::nullopt);
}

}  // namespace
