// The one simulated VISA installation of the process: the mainframe, the open
// handles and the traffic, behind one lock.
#pragma once

#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/visa/sim_resource.h"
#include "visa-sim/visa/traffic_log.h"
#include "visa-sim/visa/visa_objects.h"

namespace tgqsim {

class SimWorld {
 public:
  static SimWorld& Instance();

  std::mutex& Mutex() { return mutex_; }
  // Loaded on first use from the file TGQ_SIM_CONFIG names, else the built-in one.
  const MainframeConfig& Mainframe();
  std::vector<SimResource>& Resources();
  // The configured resource of that name, ignoring case.
  std::optional<size_t> IndexOf(std::string_view name);
  ObjectTable& Objects() { return objects_; }
  TrafficLog& Traffic() { return traffic_; }

  // Replaces the mainframe and powers every instrument on afresh; every
  // handle becomes invalid and the traffic is cleared. 0, or the number of the
  // first bad line (the mainframe then stays as it was).
  int Configure(std::string_view text);
  // Back to the mainframe of the environment, as at process start.
  void Reload();

 private:
  void Install(MainframeConfig config);
  void EnsureLoaded();

  std::mutex mutex_;
  bool loaded_ = false;
  MainframeConfig config_;
  std::vector<SimResource> resources_;
  ObjectTable objects_;
  TrafficLog traffic_;
};

// Runs body(world) under the lock; exceptions become onFailure.
template <typename Result, typename Body>
Result WithWorldLocked(Result onFailure, Body body) {
  try {
    SimWorld& world = SimWorld::Instance();
    std::lock_guard<std::mutex> lock(world.Mutex());
    return body(world);
  } catch (...) {
    return onFailure;
  }
}

}  // namespace tgqsim
