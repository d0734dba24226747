#include "visa-sim/model/foreign_device.h"

#include "visa-sim/model/program_message.h"

namespace tgqsim {

void ForeignDevice::Receive(std::string_view message) {
  if (!identification_) return;
  for (const std::string& header : MessageHeaders(message))
    if (header == "*IDN?") output_ = *identification_ + "\n";
}

}  // namespace tgqsim
