#include "netsim/net_instrument.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "visa-sim/model/make_device.h"
#include "visa-sim/model/program_message.h"
#include "visa-sim/model/staged_faults.h"

namespace tgqnet {

using tgqsim::Contains;

NetInstrument::NetInstrument(tgqsim::ResourceConfig config)
    : config_(std::move(config)), device_(tgqsim::MakeDevice(config_)) {}

uint8_t NetInstrument::StatusByte() {
  std::lock_guard<std::mutex> lock(mutex_);
  return device_->StatusByte();
}

void NetInstrument::Trigger() {
  std::lock_guard<std::mutex> lock(mutex_);
  device_->Trigger();
}

Exchange NetInstrument::Take(const std::string& message) {
  std::lock_guard<std::mutex> lock(mutex_);
  ++messages_;
  std::vector<std::string> headers = tgqsim::MessageHeaders(message);
  for (const std::string& header : config_.dropHeaders)
    if (Contains(headers, header)) return {Fate::kDropped, {}};
  const std::vector<int>& lost = config_.timeoutIos;
  if (std::find(lost.begin(), lost.end(), messages_) != lost.end()) return {Fate::kLost, {}};
  // A slow instrument: the one server thread waits with it, as the one instrument would.
  if (config_.delayMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(config_.delayMs));
  switch (tgqsim::DeliverWithFaults(config_, *device_, message)) {
    case tgqsim::Delivery::kLost:
      return {Fate::kLost, {}};
    case tgqsim::Delivery::kUnanswered:
      return {Fate::kUnanswered, {}};
    case tgqsim::Delivery::kTaken:
      break;
  }
  std::string reply = device_->TakeOutput(device_->PendingOutput().size());
  for (const tgqsim::HeaderFault& stall : config_.stallReplies) {
    if (reply.empty() || !Contains(headers, stall.header)) continue;
    reply.resize(std::min(static_cast<size_t>(stall.amount), reply.size() - 1));
    return {Fate::kStalled, reply};
  }
  return {Fate::kAnswered, reply};
}

}  // namespace tgqnet
