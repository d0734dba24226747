// The device that answers behind a configured resource, powered on.
#pragma once

#include <memory>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/model/simulated_device.h"

namespace tgqsim {

std::unique_ptr<SimulatedDevice> MakeDevice(const ResourceConfig& config);

}  // namespace tgqsim
