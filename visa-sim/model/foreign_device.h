// A device that is not a Q3207: another maker's instrument that answers only
// *IDN?, or a port with no SCPI at all that never answers.
#pragma once

#include <optional>
#include <string>

#include "visa-sim/model/simulated_device.h"

namespace tgqsim {

class ForeignDevice : public SimulatedDevice {
 public:
  explicit ForeignDevice(std::optional<std::string> identification)
      : identification_(std::move(identification)) {}
  void Receive(std::string_view message) override;

 private:
  std::optional<std::string> identification_;
};

}  // namespace tgqsim
