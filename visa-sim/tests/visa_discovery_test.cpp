#include <cstring>

#include "visa-sim/tests/visa_test_support.h"
#include "visa-sim/visa/visa_status_extra.h"

namespace {

using VisaDiscovery = VisaSimTest;

const char* kThreeInstruments =
    "resource VXI0::8::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 2\n"
    "resource TCPIP0::host::5025::SOCKET\nscpi none\n"
    "resource GPIB0::9::INSTR\nscpi idn\nidn OTHER MAKER,DMM,1,1\n"
    "resource GPIB-VXI0::24::INSTR\nslot 3\nmanf 0x0FFF\nmodel 0x0244\n";

ViStatus Find(ViSession rm, const char* expr, ViFindList* list, ViUInt32* count, ViChar* desc) {
  return viFindRsrc(rm, const_cast<char*>(expr), list, count, desc);
}

TEST_F(VisaDiscovery, FindListsMatchesInConfigurationOrder) {
  Configure(kThreeInstruments);
  ViFindList list = VI_NULL;
  ViUInt32 count = 0;
  ViChar desc[VI_FIND_BUFLEN];
  ASSERT_EQ(Find(rm_, "?*INSTR", &list, &count, desc), VI_SUCCESS);
  EXPECT_EQ(count, 3u);
  EXPECT_STREQ(desc, "VXI0::8::INSTR");
  EXPECT_EQ(viFindNext(list, desc), VI_SUCCESS);
  EXPECT_STREQ(desc, "GPIB0::9::INSTR");
  EXPECT_EQ(viFindNext(list, desc), VI_SUCCESS);
  EXPECT_STREQ(desc, "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(viFindNext(list, desc), VI_ERROR_RSRC_NFOUND);
  EXPECT_STREQ(desc, "");
  EXPECT_EQ(viClose(list), VI_SUCCESS);
  EXPECT_EQ(viFindNext(list, desc), VI_ERROR_INV_OBJECT);

  ASSERT_EQ(Find(rm_, "gpib?*", &list, &count, desc), VI_SUCCESS);
  EXPECT_EQ(count, 2u);
  EXPECT_STREQ(desc, "GPIB0::9::INSTR");
  ASSERT_EQ(Find(rm_, "VXI[0-9]::?*INSTR", &list, &count, desc), VI_SUCCESS);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(Find(rm_, "ASRL?*INSTR", &list, &count, desc), VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(list, VI_NULL);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(Find(rm_, "?*INSTR{VI_ATTR_SLOT > 0}", &list, &count, desc), VI_ERROR_INV_EXPR);
  EXPECT_EQ(Find(rm_, "[?*INSTR", &list, &count, desc), VI_ERROR_INV_EXPR);
  EXPECT_EQ(Find(rm_, nullptr, &list, &count, desc), VI_ERROR_INV_EXPR);
}

TEST_F(VisaDiscovery, DescriptionNeverOverrunsItsBuffer) {
  const std::string longName = "GPIB-VXI0::" + std::string(233, '7') + "::INSTR";
  ASSERT_EQ(longName.size(), 251u);
  const std::string longest = std::string(255, 'V');
  Configure("resource " + longName + "\nresource " + longest + "\n");
  char buffer[VI_FIND_BUFLEN + 8];
  std::memset(buffer, 'x', sizeof buffer);
  ViFindList list = VI_NULL;
  ViUInt32 count = 0;
  ASSERT_EQ(Find(rm_, "?*", &list, &count, buffer), VI_SUCCESS);
  EXPECT_EQ(buffer, longName);
  ASSERT_EQ(viFindNext(list, buffer), VI_SUCCESS);
  EXPECT_EQ(buffer, longest);
  for (size_t i = VI_FIND_BUFLEN; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x') << i;
}

TEST_F(VisaDiscovery, OpenMatchesNamesIgnoringCaseAndRecordsTraffic) {
  Configure(kThreeInstruments);
  ViSession vi = Open("gpib-vxi0::24::instr");
  ViSession missing = 77;
  EXPECT_EQ(viOpen(rm_, const_cast<char*>("GPIB0::10::INSTR"), VI_NULL, VI_NULL, &missing),
            VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(missing, VI_NULL);
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(""), VI_NULL, VI_NULL, &missing),
            VI_ERROR_INV_RSRC_NAME);
  EXPECT_EQ(viClose(vi), VI_SUCCESS);
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{"open GPIB-VXI0::24::INSTR",
                                                      "open-failed GPIB0::10::INSTR",
                                                      "close GPIB-VXI0::24::INSTR"}));
}

TEST_F(VisaDiscovery, InvalidHandlesAreRefusedNeverFollowed) {
  Configure(kThreeInstruments);
  ViSession vi = Open(kQ3207);
  ViFindList list = VI_NULL;
  ViUInt32 count = 0;
  ViChar desc[VI_FIND_BUFLEN];
  ASSERT_EQ(Find(rm_, "?*INSTR", &list, &count, desc), VI_SUCCESS);
  ASSERT_EQ(viClose(vi), VI_SUCCESS);
  ViByte buffer[16];
  ViUInt32 n = 0;
  ViUInt16 stb = 0;
  for (ViObject bad : {vi, static_cast<ViObject>(12345)}) {
    EXPECT_EQ(viWrite(bad, buffer, 1, &n), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viRead(bad, buffer, sizeof buffer, &n), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viClear(bad), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viReadSTB(bad, &stb), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viAssertTrigger(bad, VI_TRIG_PROT_DEFAULT), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viFlush(bad, 1), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viGetAttribute(bad, VI_ATTR_INTF_TYPE, &stb), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viSetAttribute(bad, VI_ATTR_TMO_VALUE, 10), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viClose(bad), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viFindRsrc(bad, const_cast<char*>("?*"), &list, &count, desc), VI_ERROR_INV_OBJECT);
    EXPECT_EQ(viOpen(bad, const_cast<char*>(kQ3207), VI_NULL, VI_NULL, &vi), VI_ERROR_INV_OBJECT);
  }
  // The resource manager and find lists are no instrument sessions.
  EXPECT_EQ(viWrite(rm_, buffer, 1, &n), VI_ERROR_NSUP_OPER);
  EXPECT_EQ(viRead(list, buffer, 1, &n), VI_ERROR_NSUP_OPER);
  EXPECT_EQ(viFindNext(rm_, desc), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viOpen(list, const_cast<char*>(kQ3207), VI_NULL, VI_NULL, &vi), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viClose(VI_NULL), VI_WARN_NULL_OBJECT);
}

TEST_F(VisaDiscovery, ClosingTheResourceManagerClosesItsSessions) {
  Configure(kThreeInstruments);
  ViSession other = VI_NULL;
  ASSERT_EQ(viOpenDefaultRM(&other), VI_SUCCESS);
  ASSERT_NE(other, rm_);
  ViSession a = Open(kQ3207);
  ViSession b = Open("VXI0::8::INSTR");
  ViSession kept = VI_NULL;
  ASSERT_EQ(viOpen(other, const_cast<char*>(kQ3207), VI_NULL, VI_NULL, &kept), VI_SUCCESS);
  tgqsim_clear_traffic();
  EXPECT_EQ(viClose(rm_), VI_SUCCESS);
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{"close GPIB-VXI0::24::INSTR",
                                                      "close VXI0::8::INSTR"}));
  ViUInt16 stb = 0;
  EXPECT_EQ(viReadSTB(a, &stb), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viReadSTB(b, &stb), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viReadSTB(kept, &stb), VI_SUCCESS);
  EXPECT_EQ(viClose(rm_), VI_ERROR_INV_OBJECT);
  EXPECT_EQ(viClose(other), VI_SUCCESS);
}

// A 16-bit attribute with a guard behind it: the value must not spill over.
struct Guarded16 {
  ViUInt16 value = 0;
  ViUInt16 guard = 0xBEEF;
};

TEST_F(VisaDiscovery, AttributesHaveTheirVisaWidthsAndBelongToTheirInterface) {
  Configure(kThreeInstruments);
  ViSession vxi = Open(kQ3207);
  struct Case {
    ViAttr attr;
    ViUInt16 value;
  };
  for (Case c : std::vector<Case>{{VI_ATTR_INTF_TYPE, 3},
                                  {VI_ATTR_MANF_ID, 0x0FFF},
                                  {VI_ATTR_MODEL_CODE, 0x0244},
                                  {VI_ATTR_SLOT, 3},
                                  {VI_ATTR_VXI_LA, 24}}) {
    Guarded16 out;
    EXPECT_EQ(viGetAttribute(vxi, c.attr, &out), VI_SUCCESS) << std::hex << c.attr;
    EXPECT_EQ(out.value, c.value) << std::hex << c.attr;
    EXPECT_EQ(out.guard, 0xBEEF) << std::hex << c.attr;
  }
  Guarded16 out;
  EXPECT_EQ(viGetAttribute(vxi, VI_ATTR_GPIB_PRIMARY_ADDR, &out), VI_ERROR_NSUP_ATTR);
  EXPECT_EQ(viGetAttribute(vxi, VI_ATTR_GPIB_SECONDARY_ADDR, &out), VI_ERROR_NSUP_ATTR);

  ViSession gpib = Open("GPIB0::9::INSTR");
  EXPECT_EQ(viGetAttribute(gpib, VI_ATTR_INTF_TYPE, &out), VI_SUCCESS);
  EXPECT_EQ(out.value, 1);
  EXPECT_EQ(viGetAttribute(gpib, VI_ATTR_GPIB_PRIMARY_ADDR, &out), VI_SUCCESS);
  EXPECT_EQ(out.value, 9);
  EXPECT_EQ(viGetAttribute(gpib, VI_ATTR_GPIB_SECONDARY_ADDR, &out), VI_SUCCESS);
  EXPECT_EQ(out.value, VI_NO_SEC_ADDR);
  EXPECT_EQ(out.guard, 0xBEEF);
  for (ViAttr vxiOnly : {VI_ATTR_SLOT, VI_ATTR_VXI_LA, VI_ATTR_MANF_ID, VI_ATTR_MODEL_CODE})
    EXPECT_EQ(viGetAttribute(gpib, vxiOnly, &out), VI_ERROR_NSUP_ATTR);

  ViInt16 slot = 0;
  ViSession unknownSlot = Open("VXI0::8::INSTR");
  EXPECT_EQ(viGetAttribute(unknownSlot, VI_ATTR_SLOT, &slot), VI_SUCCESS);
  EXPECT_EQ(slot, 2);
  EXPECT_EQ(viGetAttribute(rm_, VI_ATTR_INTF_TYPE, &out), VI_ERROR_NSUP_ATTR);
  EXPECT_EQ(viGetAttribute(vxi, VI_ATTR_INTF_TYPE, nullptr), VI_ERROR_USER_BUF);
}

TEST_F(VisaDiscovery, SessionAttributesAreSetAndReadBack) {
  Configure(kThreeInstruments);
  ViSession vi = Open(kQ3207);
  ViUInt32 timeout = 0;
  ViUInt8 term = 0;
  ViBoolean enabled = VI_TRUE;
  ViBoolean sendEnd = VI_FALSE;
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), VI_SUCCESS);
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TERMCHAR, &term), VI_SUCCESS);
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TERMCHAR_EN, &enabled), VI_SUCCESS);
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_SEND_END_EN, &sendEnd), VI_SUCCESS);
  EXPECT_EQ(timeout, 2000u);
  EXPECT_EQ(term, '\n');
  EXPECT_EQ(enabled, VI_FALSE);
  EXPECT_EQ(sendEnd, VI_TRUE);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 5000), VI_SUCCESS);
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), VI_SUCCESS);
  EXPECT_EQ(timeout, 5000u);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR, ';'), VI_SUCCESS);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(viGetAttribute(vi, VI_ATTR_TERMCHAR, &term), VI_SUCCESS);
  EXPECT_EQ(viGetAttribute(vi, VI_ATTR_TERMCHAR_EN, &enabled), VI_SUCCESS);
  EXPECT_EQ(term, ';');
  EXPECT_EQ(enabled, VI_TRUE);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR, 0x100), VI_ERROR_NSUP_ATTR_STATE);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, 2), VI_ERROR_NSUP_ATTR_STATE);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_SLOT, 4), VI_ERROR_ATTR_READONLY);
  EXPECT_EQ(viSetAttribute(vi, 0x3FFF0999, 4), VI_ERROR_NSUP_ATTR);

  // A state the resource supports only approximately: taken, with a warning.
  Configure("resource GPIB0::9::INSTR\nset-warns VI_ATTR_TMO_VALUE\n");
  vi = Open("GPIB0::9::INSTR");
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 2500), 0x3FFF0084);
  ASSERT_EQ(viGetAttribute(vi, VI_ATTR_TMO_VALUE, &timeout), VI_SUCCESS);
  EXPECT_EQ(timeout, 2500u);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE - 1, 4), VI_ERROR_NSUP_ATTR);
}

TEST_F(VisaDiscovery, StagedFailuresOfResourceManagerFindAndOpen) {
  ASSERT_EQ(tgqsim_configure("rm-fails\n"), 0);
  ViSession rm = 99;
  EXPECT_EQ(viOpenDefaultRM(&rm), VI_ERROR_SYSTEM_ERROR);
  EXPECT_EQ(rm, VI_NULL);
  ASSERT_EQ(tgqsim_configure("rm-fails 0xBFFF0011\n"), 0);
  EXPECT_EQ(viOpenDefaultRM(&rm), VI_ERROR_RSRC_NFOUND);

  Configure(std::string("find-fails\n") + kThreeInstruments);
  ViFindList list = 99;
  ViUInt32 count = 99;
  ViChar desc[VI_FIND_BUFLEN] = "stale";
  EXPECT_EQ(Find(rm_, "?*INSTR", &list, &count, desc), VI_ERROR_SYSTEM_ERROR);
  EXPECT_EQ(list, VI_NULL);
  EXPECT_EQ(count, 0u);
  EXPECT_STREQ(desc, "");

  Configure("resource GPIB-VXI0::24::INSTR\nopen-fails\nresource GPIB0::3::INSTR\n"
            "open-fails 0x3FFF007D\n");
  ViSession vi = 99;
  EXPECT_EQ(viOpen(rm_, const_cast<char*>(kQ3207), VI_NULL, VI_NULL, &vi), VI_ERROR_RSRC_NFOUND);
  EXPECT_EQ(vi, VI_NULL);
  // A warning opens the session and says so.
  EXPECT_EQ(viOpen(rm_, const_cast<char*>("GPIB0::3::INSTR"), VI_NULL, VI_NULL, &vi), 0x3FFF007D);
  EXPECT_NE(vi, VI_NULL);
  EXPECT_EQ(Write(vi, "*IDN?"), VI_ERROR_TMO);  // the device is not there
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{"open-failed GPIB-VXI0::24::INSTR",
                                                      "open GPIB0::3::INSTR",
                                                      "timeout GPIB0::3::INSTR *IDN?"}));
}

TEST_F(VisaDiscovery, OverCountedFindDeliversOnlyWhatExists) {
  Configure("find-count-extra 2\nresource GPIB-VXI0::24::INSTR\n");
  ViFindList list = VI_NULL;
  ViUInt32 count = 0;
  ViChar desc[VI_FIND_BUFLEN];
  ASSERT_EQ(Find(rm_, "?*INSTR", &list, &count, desc), VI_SUCCESS);
  EXPECT_EQ(count, 3u);
  EXPECT_STREQ(desc, kQ3207);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(viFindNext(list, desc), VI_ERROR_RSRC_NFOUND);
    EXPECT_STREQ(desc, "");
  }
}

}  // namespace
