#include "connect/resource_address.h"

#include <gtest/gtest.h>

#include "tests/connect/fake_visa.h"

namespace {

using Lines = std::vector<std::string>;

CFakeResource Resource(const std::string& name, std::map<ViAttr, ViAttrState> attributes) {
  CFakeResource resource;
  resource.name = name;
  resource.attributes = std::move(attributes);
  return resource;
}

CDiscoveryRecord Read(const CFakeResource& resource, uint16_t intfTypeSoFar = 0) {
  CVisaEntryPoints visa = FakeVisa({resource});
  return ReadResourceAddress(visa, fake_visa::kResourceManager, resource.name, intfTypeSoFar);
}

TEST(ResourceAddress, VxiModuleGivesSlotLogicalAddressAndTypeAndClosesItsSession) {
  CDiscoveryRecord record = Read(Resource(
      "GPIB-VXI0::24::INSTR", {{VI_ATTR_SLOT, 3}, {VI_ATTR_VXI_LA, 24}, {VI_ATTR_INTF_TYPE, 3},
                               {VI_ATTR_GPIB_PRIMARY_ADDR, 9}, {VI_ATTR_GPIB_SECONDARY_ADDR, 0}}));
  EXPECT_EQ(record.m_rsrcName, "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(record.m_slot, 3);
  EXPECT_EQ(record.m_logicalAddress, 24);
  EXPECT_EQ(record.m_intfType, 3);
  EXPECT_EQ(g_fakeVisa.calls, (Lines{"open GPIB-VXI0::24::INSTR", "close GPIB-VXI0::24::INSTR"}));
}

TEST(ResourceAddress, SlotAndLogicalAddressAreSigned16BitNumbers) {
  CDiscoveryRecord record = Read(Resource(
      "VXI0::8::INSTR", {{VI_ATTR_SLOT, 0xFFFF}, {VI_ATTR_VXI_LA, 0xFFFE}, {VI_ATTR_INTF_TYPE, 2},
                         {VI_ATTR_GPIB_PRIMARY_ADDR, 9}, {VI_ATTR_GPIB_SECONDARY_ADDR, 1}}));
  // A slot read as -1 stays -1; the logical address read, so no GPIB code.
  EXPECT_EQ(record.m_slot, -1);
  EXPECT_EQ(record.m_logicalAddress, -2);
  record = Read(Resource("VXI0::8::INSTR", {{VI_ATTR_SLOT, 0x8000}, {VI_ATTR_VXI_LA, 0x7FFF}}));
  EXPECT_EQ(record.m_slot, -32768);
  EXPECT_EQ(record.m_logicalAddress, 32767);
}

TEST(ResourceAddress, GpibInstrumentGetsTheCodeOfItsAddresses) {
  CDiscoveryRecord record = Read(Resource(
      "GPIB0::9::INSTR",
      {{VI_ATTR_INTF_TYPE, 1}, {VI_ATTR_GPIB_PRIMARY_ADDR, 9}, {VI_ATTR_GPIB_SECONDARY_ADDR, 0xFFFF}}));
  EXPECT_EQ(record.m_slot, -1);
  EXPECT_EQ(record.m_logicalAddress, 10000 + 900 + 65535);
  EXPECT_EQ(record.m_intfType, 1);
  record = Read(Resource("GPIB0::7::3::INSTR",
                         {{VI_ATTR_GPIB_PRIMARY_ADDR, 7}, {VI_ATTR_GPIB_SECONDARY_ADDR, 3}}));
  EXPECT_EQ(record.m_logicalAddress, 10703);
  record = Read(Resource("GPIB0::0::INSTR",
                         {{VI_ATTR_GPIB_PRIMARY_ADDR, 0}, {VI_ATTR_GPIB_SECONDARY_ADDR, 0}}));
  EXPECT_EQ(record.m_logicalAddress, 10000);
}

TEST(ResourceAddress, AnAddressThatDoesNotReadLeavesMinusOne) {
  EXPECT_EQ(Read(Resource("GPIB0::9::INSTR", {{VI_ATTR_GPIB_PRIMARY_ADDR, 9}})).m_logicalAddress, -1);
  EXPECT_EQ(Read(Resource("GPIB0::9::INSTR", {{VI_ATTR_GPIB_SECONDARY_ADDR, 0}})).m_logicalAddress,
            -1);
  // A slot alone is enough to skip the GPIB addresses.
  CDiscoveryRecord record = Read(Resource(
      "VXI0::8::INSTR",
      {{VI_ATTR_SLOT, 2}, {VI_ATTR_GPIB_PRIMARY_ADDR, 9}, {VI_ATTR_GPIB_SECONDARY_ADDR, 0}}));
  EXPECT_EQ(record.m_slot, 2);
  EXPECT_EQ(record.m_logicalAddress, -1);
}

TEST(ResourceAddress, AResourceThatDoesNotOpenKeepsTheTypeSoFarAndIsNotClosed) {
  CFakeResource unknown = Resource("GPIB-VXI0::24::INSTR", {{VI_ATTR_SLOT, 3}, {VI_ATTR_INTF_TYPE, 3}});
  unknown.openStatus = VI_ERROR_RSRC_NFOUND;
  CDiscoveryRecord record = Read(unknown, 2);
  EXPECT_EQ(record.m_rsrcName, "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(record.m_slot, -1);
  EXPECT_EQ(record.m_logicalAddress, -1);
  EXPECT_EQ(record.m_intfType, 2);
  EXPECT_EQ(g_fakeVisa.calls, Lines{"open GPIB-VXI0::24::INSTR"});
}

}  // namespace
