// What the VISA entry points share: finding the session behind a handle and
// writing results of the width VISA defines.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>

#include "visa-sim/visa/sim_world.h"
#include "visa.h"

namespace tgqsim {

struct InstrumentSession {
  VisaObject* session = nullptr;
  SessionTarget* target = nullptr;
  SimResource* resource = nullptr;  // the target when it is in the mainframe, else null
  // VI_SUCCESS, or why the handle is no instrument session.
  ViStatus status = VI_ERROR_INV_OBJECT;
};

inline InstrumentSession FindInstrumentSession(SimWorld& world, ViObject vi) {
  InstrumentSession found;
  VisaObject* object = world.Objects().Find(vi);
  if (!object) return found;
  if (object->kind != ObjectKind::kInstrument) {
    found.status = VI_ERROR_NSUP_OPER;
    return found;
  }
  found.session = object;
  found.resource = object->network ? nullptr : &world.Resources()[object->resource];
  found.target = object->network ? object->network.get() : found.resource;
  found.status = VI_SUCCESS;
  return found;
}

template <typename T>
ViStatus StoreAttribute(void* out, T value) {
  std::memcpy(out, &value, sizeof value);
  return VI_SUCCESS;
}

// A resource description into the caller's VI_FIND_BUFLEN buffer.
inline void CopyDescription(const std::string& name, ViChar* desc) {
  if (!desc) return;
  size_t length = std::min(name.size(), static_cast<size_t>(VI_FIND_BUFLEN - 1));
  std::memcpy(desc, name.data(), length);
  desc[length] = '\0';
}

}  // namespace tgqsim
