// A VISA library made of test functions, for the search and address reads:
// resources with attributes and an identification reply, and a record of
// every call in the order made. It misbehaves on request where a real library
// might: descriptions that fill the whole buffer without a NUL, a match count
// larger than the list delivers, a read that reports more bytes than asked.
#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "connect/visa_library.h"

struct CFakeResource {
  std::string name;
  ViStatus openStatus = VI_SUCCESS;
  // Missing attributes read as VI_ERROR_NSUP_ATTR. The whole ViAttrState is
  // written, so values wider than the attribute reach past 16 bits.
  std::map<ViAttr, ViAttrState> attributes;
  std::string reply;            // what a read delivers, at most the count asked
  ViUInt32 claimedReadCount = 0;  // nonzero: the count a read reports instead
};

struct CFakeVisa {
  std::vector<CFakeResource> resources;
  ViStatus findStatus = VI_SUCCESS;
  ViUInt32 extraMatches = 0;
  bool descriptionsFillBuffer = false;
  std::vector<std::string> calls;
  size_t nextMatch = 0;
};

inline CFakeVisa g_fakeVisa;

namespace fake_visa {
const ViSession kResourceManager = 77;
const ViFindList kFindList = 1000;

inline std::string NameOf(ViObject vi) {
  if (vi == kFindList) return "list";
  if (vi >= 1 && vi <= g_fakeVisa.resources.size()) return g_fakeVisa.resources[vi - 1].name;
  return "?" + std::to_string(vi);
}

inline void CopyDescription(const std::string& name, ViChar* desc) {
  if (g_fakeVisa.descriptionsFillBuffer) {
    std::string filled = name;
    filled.resize(VI_FIND_BUFLEN, 'X');
    std::memcpy(desc, filled.data(), VI_FIND_BUFLEN);  // no NUL anywhere
  } else {
    std::strcpy(desc, name.c_str());
  }
}

inline ViStatus _VI_FUNC FindRsrc(ViSession, ViString expr, ViFindList* list, ViUInt32* count,
                                  ViChar desc[]) {
  g_fakeVisa.calls.push_back(std::string("find ") + expr);
  if (g_fakeVisa.findStatus < VI_SUCCESS) return g_fakeVisa.findStatus;
  *list = kFindList;
  *count = static_cast<ViUInt32>(g_fakeVisa.resources.size()) + g_fakeVisa.extraMatches;
  g_fakeVisa.nextMatch = 1;
  if (!g_fakeVisa.resources.empty()) CopyDescription(g_fakeVisa.resources[0].name, desc);
  return VI_SUCCESS;
}

// Past the end the buffer keeps the previous description, as some libraries leave it.
inline ViStatus _VI_FUNC FindNext(ViFindList, ViChar desc[]) {
  if (g_fakeVisa.nextMatch >= g_fakeVisa.resources.size()) return VI_ERROR_RSRC_NFOUND;
  CopyDescription(g_fakeVisa.resources[g_fakeVisa.nextMatch++].name, desc);
  return VI_SUCCESS;
}

inline ViStatus _VI_FUNC Open(ViSession rm, ViRsrc name, ViAccessMode mode, ViUInt32 timeout,
                              ViSession* vi) {
  g_fakeVisa.calls.push_back("open " + std::string(name) +
                             (rm == kResourceManager && mode == VI_NULL && timeout == VI_NULL
                                  ? ""
                                  : " (unexpected arguments)"));
  *vi = VI_NULL;
  for (size_t i = 0; i < g_fakeVisa.resources.size(); ++i) {
    if (g_fakeVisa.resources[i].name != name) continue;
    ViStatus status = g_fakeVisa.resources[i].openStatus;
    if (status >= VI_SUCCESS) *vi = static_cast<ViSession>(i + 1);
    return status;
  }
  return VI_ERROR_RSRC_NFOUND;
}

inline ViStatus _VI_FUNC GetAttribute(ViObject vi, ViAttr attribute, void* value) {
  if (vi < 1 || vi > g_fakeVisa.resources.size()) return VI_ERROR_INV_OBJECT;
  const auto& attributes = g_fakeVisa.resources[vi - 1].attributes;
  auto found = attributes.find(attribute);
  if (found == attributes.end()) return VI_ERROR_NSUP_ATTR;
  std::memcpy(value, &found->second, sizeof found->second);
  return VI_SUCCESS;
}

inline ViStatus _VI_FUNC Write(ViSession vi, ViBuf buffer, ViUInt32 count, ViUInt32* written) {
  g_fakeVisa.calls.push_back("write " + NameOf(vi) + " " +
                             std::string(reinterpret_cast<const char*>(buffer), count) + "|" +
                             std::to_string(count));
  *written = count;
  return VI_SUCCESS;
}

inline ViStatus _VI_FUNC Read(ViSession vi, ViBuf buffer, ViUInt32 count, ViUInt32* received) {
  g_fakeVisa.calls.push_back("read " + NameOf(vi) + " " + std::to_string(count));
  const CFakeResource& resource = g_fakeVisa.resources[vi - 1];
  size_t taken = std::min<size_t>(resource.reply.size(), count);
  std::memcpy(buffer, resource.reply.data(), taken);
  *received = resource.claimedReadCount != 0 ? resource.claimedReadCount
                                              : static_cast<ViUInt32>(taken);
  return VI_SUCCESS;
}

inline ViStatus _VI_FUNC Close(ViObject vi) {
  g_fakeVisa.calls.push_back("close " + NameOf(vi));
  return VI_SUCCESS;
}
}  // namespace fake_visa

// A fresh fake with the given resources, and the entry points that reach it.
inline CVisaEntryPoints FakeVisa(std::vector<CFakeResource> resources) {
  g_fakeVisa = CFakeVisa();
  g_fakeVisa.resources = std::move(resources);
  CVisaEntryPoints visa;
  visa.findRsrc = &fake_visa::FindRsrc;
  visa.findNext = &fake_visa::FindNext;
  visa.open = &fake_visa::Open;
  visa.getAttribute = &fake_visa::GetAttribute;
  visa.write = &fake_visa::Write;
  visa.read = &fake_visa::Read;
  visa.close = &fake_visa::Close;
  return visa;
}

inline CFakeResource GpibResource(const std::string& name, const std::string& reply) {
  CFakeResource resource;
  resource.name = name;
  resource.attributes[VI_ATTR_INTF_TYPE] = VI_INTF_GPIB;
  resource.reply = reply;
  return resource;
}

inline CFakeResource VxiResource(const std::string& name, ViUInt16 intf, ViAttrState manf,
                                 ViAttrState model) {
  CFakeResource resource;
  resource.name = name;
  resource.attributes[VI_ATTR_INTF_TYPE] = intf;
  resource.attributes[VI_ATTR_MANF_ID] = manf;
  resource.attributes[VI_ATTR_MODEL_CODE] = model;
  return resource;
}
