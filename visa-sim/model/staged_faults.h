// The faults a mainframe configuration stages on a resource's messages, the
// same whether the instrument is reached through the simulated VISA or over
// the network.
#pragma once

#include <string>
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

}  // namespace tgqsim
