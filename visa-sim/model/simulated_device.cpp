#include "visa-sim/model/simulated_device.h"

#include "visa-sim/model/text_util.h"

namespace tgqsim {

std::string SimulatedDevice::TakeOutput(size_t count) {
  std::string taken = output_.substr(0, count);
  output_.erase(0, taken.size());
  return taken;
}

void SimulatedDevice::StretchReply(size_t length) {
  if (output_.empty() || output_.size() >= length) return;
  size_t end = output_.back() == '\n' ? output_.size() - 1 : output_.size();
  output_.insert(end, length - output_.size(), ' ');
}

void SimulatedDevice::EndReplyWithCarriageReturn() {
  if (!output_.empty() && output_.back() == '\n') output_.insert(output_.size() - 1, "\r");
}

std::vector<std::string> SplitMessages(std::string_view data) {
  std::vector<std::string> messages;
  for (std::string_view piece : Split(data, '\n'))
    if (!Trim(piece).empty()) messages.emplace_back(piece);
  return messages;
}

}  // namespace tgqsim
