// Attributes of instrument sessions. A VXI resource has no GPIB addresses and
// a GPIB resource no slot, logical address, manufacturer or model.
#include <algorithm>

#include "visa-sim/visa/visa_api_support.h"
#include "visa-sim/visa/visa_status_extra.h"

using tgqsim::WithWorldLocked;
using tgqsim::SimWorld;

namespace {

bool IsVxi(const tgqsim::ResourceConfig& c) {
  return c.intfType == VI_INTF_VXI || c.intfType == VI_INTF_GPIB_VXI;
}
bool IsGpib(const tgqsim::ResourceConfig& c) { return c.intfType == VI_INTF_GPIB; }

ViStatus ReadResourceAttribute(const tgqsim::ResourceConfig& c, ViAttr attr, void* value) {
  using tgqsim::StoreAttribute;
  switch (attr) {
    case VI_ATTR_INTF_TYPE:
      return StoreAttribute<ViUInt16>(value, c.intfType);
    case VI_ATTR_MANF_ID:
      return IsVxi(c) ? StoreAttribute<ViUInt16>(value, c.manfId) : VI_ERROR_NSUP_ATTR;
    case VI_ATTR_MODEL_CODE:
      return IsVxi(c) ? StoreAttribute<ViUInt16>(value, c.modelCode) : VI_ERROR_NSUP_ATTR;
    case VI_ATTR_SLOT:
      return IsVxi(c) ? StoreAttribute<ViInt16>(value, c.slot) : VI_ERROR_NSUP_ATTR;
    case VI_ATTR_VXI_LA:
      return IsVxi(c) ? StoreAttribute<ViInt16>(value, c.logicalAddress) : VI_ERROR_NSUP_ATTR;
    case VI_ATTR_GPIB_PRIMARY_ADDR:
      return IsGpib(c) ? StoreAttribute<ViUInt16>(value, c.gpibPrimary) : VI_ERROR_NSUP_ATTR;
    case VI_ATTR_GPIB_SECONDARY_ADDR:
      return IsGpib(c) ? StoreAttribute<ViUInt16>(value, c.gpibSecondary) : VI_ERROR_NSUP_ATTR;
    default:
      return VI_ERROR_NSUP_ATTR;
  }
}

bool IsResourceAttribute(ViAttr attr) {
  switch (attr) {
    case VI_ATTR_INTF_TYPE:
    case VI_ATTR_MANF_ID:
    case VI_ATTR_MODEL_CODE:
    case VI_ATTR_SLOT:
    case VI_ATTR_VXI_LA:
    case VI_ATTR_GPIB_PRIMARY_ADDR:
    case VI_ATTR_GPIB_SECONDARY_ADDR:
      return true;
    default:
      return false;
  }
}

ViStatus StoreBoolean(bool& flag, ViAttrState state) {
  if (state != VI_TRUE && state != VI_FALSE) return VI_ERROR_NSUP_ATTR_STATE;
  flag = state == VI_TRUE;
  return VI_SUCCESS;
}

ViStatus SetSessionAttribute(tgqsim::VisaObject& s, ViAttr attrName, ViAttrState attrValue) {
  switch (attrName) {
    case VI_ATTR_TMO_VALUE:
      s.timeoutMs = static_cast<ViUInt32>(attrValue);
      return VI_SUCCESS;
    case VI_ATTR_TERMCHAR:
      if (attrValue > 0xFF) return VI_ERROR_NSUP_ATTR_STATE;
      s.termChar = static_cast<ViUInt8>(attrValue);
      return VI_SUCCESS;
    case VI_ATTR_TERMCHAR_EN:
      return StoreBoolean(s.termCharEnabled, attrValue);
    case VI_ATTR_SEND_END_EN:
      return StoreBoolean(s.sendEnd, attrValue);
    default:
      return IsResourceAttribute(attrName) ? VI_ERROR_ATTR_READONLY : VI_ERROR_NSUP_ATTR;
  }
}

}  // namespace

extern "C" {

ViStatus _VI_FUNC viGetAttribute(ViObject vi, ViAttr attrName, void* attrValue) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    tgqsim::InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status == VI_ERROR_NSUP_OPER) return VI_ERROR_NSUP_ATTR;
    if (found.status != VI_SUCCESS) return found.status;
    if (!attrValue) return VI_ERROR_USER_BUF;
    const tgqsim::VisaObject& s = *found.session;
    switch (attrName) {
      case VI_ATTR_TMO_VALUE:
        return tgqsim::StoreAttribute<ViUInt32>(attrValue, s.timeoutMs);
      case VI_ATTR_TERMCHAR:
        return tgqsim::StoreAttribute<ViUInt8>(attrValue, s.termChar);
      case VI_ATTR_TERMCHAR_EN:
        return tgqsim::StoreAttribute<ViBoolean>(attrValue, s.termCharEnabled ? VI_TRUE : VI_FALSE);
      case VI_ATTR_SEND_END_EN:
        return tgqsim::StoreAttribute<ViBoolean>(attrValue, s.sendEnd ? VI_TRUE : VI_FALSE);
      default:
        return ReadResourceAttribute(found.target->Config(), attrName, attrValue);
    }
  });
}

ViStatus _VI_FUNC viSetAttribute(ViObject vi, ViAttr attrName, ViAttrState attrValue) {
  return WithWorldLocked<ViStatus>(VI_ERROR_SYSTEM_ERROR, [=](SimWorld& world) {
    tgqsim::InstrumentSession found = tgqsim::FindInstrumentSession(world, vi);
    if (found.status == VI_ERROR_NSUP_OPER) return VI_ERROR_NSUP_ATTR;
    if (found.status != VI_SUCCESS) return found.status;
    ViStatus status = SetSessionAttribute(*found.session, attrName, attrValue);
    const std::vector<uint32_t>& warns = found.target->Config().setWarnings;
    // The resource takes the state as the nearest one it supports, and says so.
    if (status == VI_SUCCESS && std::find(warns.begin(), warns.end(), attrName) != warns.end())
      return VI_WARN_NSUP_ATTR_STATE;
    return status;
  });
}

}  // extern "C"
