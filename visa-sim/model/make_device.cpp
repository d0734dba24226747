#include "visa-sim/model/make_device.h"

#include "visa-sim/model/foreign_device.h"
#include "visa-sim/model/q3207_instrument.h"

namespace tgqsim {

std::unique_ptr<SimulatedDevice> MakeDevice(const ResourceConfig& config) {
  if (config.device == DeviceKind::kQ3207) return std::make_unique<Q3207Instrument>(config.profile);
  if (config.device == DeviceKind::kIdentifyOnly)
    return std::make_unique<ForeignDevice>(config.profile.identification);
  return std::make_unique<ForeignDevice>(std::nullopt);
}

}  // namespace tgqsim
