// The faults a mainframe configuration stages on a resource's messages, the
// same whether the instrument is reached through the simulated VISA or over
// the network.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/model/simulated_device.h"

namespace tgqsim {

enum class Delivery {
  kLost,        // a command that times out on its way in: never executed
  kTaken,       // executed; its reply, if any, is pending
  kUnanswered,  // a query the instrument hangs on: taken, never answered
};

// Hands one message to the device through the time-outs, long replies and
// error floods staged on its headers.
Delivery DeliverWithFaults(const ResourceConfig& config, SimulatedDevice& device,
                           const std::string& message);

bool Contains(const std::vector<std::string>& headers, const std::string& header);

// Where a resource's link is in its script.
class LinkState {
 public:
  // Whether the link is down for an I/O: the `io`th counted from power-on,
  // made `nowMs` after power-on, carrying `message` (empty for a read). When
  // the link comes back after a power cycle the device is powered on again.
  bool DownFor(const LinkScript& script, SimulatedDevice& device, int io, long long nowMs,
               std::string_view message);

 private:
  bool down_ = false;
  bool lossCame_ = false;
  int lostIo_ = 0;
  long long lostMs_ = 0;
};

}  // namespace tgqsim
