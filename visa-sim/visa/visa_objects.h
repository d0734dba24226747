// The handles the simulated VISA hands out: resource manager sessions,
// instrument sessions and find lists.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "visa-sim/visa/session_target.h"
#include "visa.h"

namespace tgqsim {

enum class ObjectKind { kResourceManager, kInstrument, kFindList };

struct VisaObject {
  explicit VisaObject(ObjectKind k, ViSession resourceManager = VI_NULL)
      : kind(k), owner(resourceManager) {}

  ObjectKind kind;
  ViSession owner = VI_NULL;  // the resource manager of a session or find list
  // Instrument sessions.
  size_t resource = 0;        // index into the mainframe's resources
  std::shared_ptr<SessionTarget> network;  // instead, a connection to a network instrument
  ViUInt32 timeoutMs = 2000;
  ViUInt8 termChar = '\n';
  bool termCharEnabled = false;
  bool sendEnd = true;
  // Find lists.
  std::vector<std::string> matches;
  size_t nextMatch = 0;
};

class ObjectTable {
 public:
  ViObject Add(VisaObject object);
  // Null for an unknown handle or one of another kind.
  VisaObject* Find(ViObject handle);
  VisaObject* Find(ViObject handle, ObjectKind kind);
  std::vector<ViObject> OwnedBy(ViSession resourceManager) const;
  void Remove(ViObject handle) { objects_.erase(handle); }
  void Clear() { objects_.clear(); }

 private:
  std::map<ViObject, VisaObject> objects_;
  ViObject next_ = 0x1000;
};

}  // namespace tgqsim
