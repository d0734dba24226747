#include "connect/instrument_search.h"

#include <algorithm>
#include <cstring>

#include "connect/visa_session.h"

namespace {
const ViUInt16 kManufacturerId = 0x0FFF;
const ViUInt16 kModelCode = 0x0244;
const ViUInt16 kModelCodeMask = 0x0FFF;
const ViUInt32 kReplyReadCount = 100;
const size_t kReplyBufferSize = 256;
const ViUInt16 kUsbInterface = 7;  // VI_INTF_USB, which visa.h here leaves out

bool AnswersWithPrefix(const CVisaEntryPoints& visa, const CVisaSession& session,
                       const std::string& prefix) {
  ViByte query[] = {'*', 'I', 'D', 'N', '?'};
  ViUInt32 written = 0;
  if (visa.write(session.Handle(), query, sizeof query, &written) < VI_SUCCESS) return false;
  ViByte reply[kReplyBufferSize] = {};
  ViUInt32 received = 0;
  if (visa.read(session.Handle(), reply, kReplyReadCount, &received) < VI_SUCCESS) return false;
  // Only the bytes of this reply count, never more than were asked for.
  received = std::min(received, kReplyReadCount);
  return received >= prefix.size() && std::memcmp(reply, prefix.data(), prefix.size()) == 0;
}

bool HasModuleIdentity(const CVisaSession& session) {
  ViUInt16 manufacturer = 0;
  ViUInt16 model = 0;
  return session.ReadAttribute(VI_ATTR_MANF_ID, manufacturer) == VI_SUCCESS &&
         session.ReadAttribute(VI_ATTR_MODEL_CODE, model) == VI_SUCCESS &&
         manufacturer == kManufacturerId && (model & kModelCodeMask) == kModelCode;
}

bool IsCandidate(const CVisaEntryPoints& visa, ViSession resourceManager, const char* name,
                 bool acceptAny, const std::string& idnPrefix) {
  CVisaSession session(visa, resourceManager, name);
  if (session.OpenStatus() != VI_SUCCESS) return false;
  ViUInt16 intfType = 0;
  if (session.ReadAttribute(VI_ATTR_INTF_TYPE, intfType) != VI_SUCCESS) return false;
  if (acceptAny) return true;
  switch (intfType) {
    case VI_INTF_GPIB:
    case VI_INTF_TCPIP:  // a LAN instrument (VXI-11), or a module behind a LAN gateway
    case kUsbInterface:
      return AnswersWithPrefix(visa, session, idnPrefix);
    case VI_INTF_VXI:
    case VI_INTF_GPIB_VXI:
      return HasModuleIdentity(session);
    default:
      return false;
  }
}
}  // namespace

std::vector<std::string> FindCandidates(const CVisaEntryPoints& visa, ViSession resourceManager,
                                        bool acceptAny, const std::string& idnPrefix) {
  std::vector<std::string> candidates;
  char expression[] = "?*INSTR";
  char description[VI_FIND_BUFLEN] = "";
  ViFindList list = VI_NULL;
  ViUInt32 matches = 0;
  ViStatus status = visa.findRsrc(resourceManager, expression, &list, &matches, description);
  if (status < VI_SUCCESS) return candidates;
  for (ViUInt32 index = 0; index < matches; ++index) {
    // A count larger than what the list delivers ends the walk here, so that
    // no description is tried twice.
    if (index > 0 && visa.findNext(list, description) < VI_SUCCESS) break;
    description[VI_FIND_BUFLEN - 1] = '\0';
    if (IsCandidate(visa, resourceManager, description, acceptAny, idnPrefix))
      candidates.push_back(description);
  }
  if (list != VI_NULL) visa.close(list);
  return candidates;
}

std::optional<std::string> ChooseWithoutAsking(const std::vector<std::string>& candidates,
                                               bool alwaysAsk) {
  if (alwaysAsk) return std::nullopt;
  if (candidates.size() == 1) return candidates.front();
  auto onGpibVxi = [](const std::string& name) { return name.find("GPIB-VXI") != std::string::npos; };
  if (std::count_if(candidates.begin(), candidates.end(), onGpibVxi) != 1) return std::nullopt;
  return *std::find_if(candidates.begin(), candidates.end(), onGpibVxi);
}
