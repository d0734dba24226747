#include "connect/resource_address.h"

#include "connect/visa_session.h"

namespace {
int32_t ReadSigned(const CVisaSession& session, ViAttr attribute) {
  ViInt16 value = 0;
  if (!session.IsOpen() || session.ReadAttribute(attribute, value) < VI_SUCCESS) return -1;
  return value;
}

// 10000 + 100 x primary + secondary; -1 unless both addresses read.
int32_t GpibAddressCode(const CVisaSession& session) {
  ViUInt16 primary = 0;
  ViUInt16 secondary = 0;
  if (!session.IsOpen() || session.ReadAttribute(VI_ATTR_GPIB_PRIMARY_ADDR, primary) != VI_SUCCESS ||
      session.ReadAttribute(VI_ATTR_GPIB_SECONDARY_ADDR, secondary) != VI_SUCCESS)
    return -1;
  return (static_cast<int32_t>(primary) + 100) * 100 + secondary;
}
}  // namespace

CDiscoveryRecord ReadResourceAddress(const CVisaEntryPoints& visa, ViSession resourceManager,
                                     const std::string& name, uint16_t intfTypeSoFar) {
  CDiscoveryRecord record;
  record.m_rsrcName = name;
  CVisaSession session(visa, resourceManager, name.c_str());
  record.m_slot = ReadSigned(session, VI_ATTR_SLOT);
  record.m_logicalAddress = ReadSigned(session, VI_ATTR_VXI_LA);
  if (record.m_slot == -1 && record.m_logicalAddress == -1)
    record.m_logicalAddress = GpibAddressCode(session);
  ViUInt16 intfType = 0;
  record.m_intfType = session.IsOpen() && session.ReadAttribute(VI_ATTR_INTF_TYPE, intfType) == VI_SUCCESS
                          ? intfType
                          : intfTypeSoFar;
  return record;
}
