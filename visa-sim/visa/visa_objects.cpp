#include "visa-sim/visa/visa_objects.h"

namespace tgqsim {

ViObject ObjectTable::Add(VisaObject object) {
  // Handles are not reused soon, so that a stale handle is caught as invalid.
  while (next_ == VI_NULL || objects_.count(next_)) ++next_;
  ViObject handle = next_++;
  objects_.emplace(handle, std::move(object));
  return handle;
}

VisaObject* ObjectTable::Find(ViObject handle) {
  auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : &it->second;
}

VisaObject* ObjectTable::Find(ViObject handle, ObjectKind kind) {
  VisaObject* object = Find(handle);
  return object && object->kind == kind ? object : nullptr;
}

std::vector<ViObject> ObjectTable::OwnedBy(ViSession resourceManager) const {
  std::vector<ViObject> owned;
  for (const auto& [handle, object] : objects_)
    if (object.owner == resourceManager) owned.push_back(handle);
  return owned;
}

}  // namespace tgqsim
