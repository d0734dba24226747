// The configured resource's device as the network reaches it: each message
// goes through the staged faults, and the reply, if any, is sent at once.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/model/simulated_device.h"

namespace tgqnet {

enum class Fate {
  kAnswered,    // executed; `reply` (possibly empty) is sent
  kLost,        // timed out on its way in: not executed, no reply
  kUnanswered,  // a query the instrument hangs on: no reply
  kStalled,     // executed; only `reply`, the start of the real reply, is sent
  kDropped,     // the connection is dropped before the message is executed
};

struct Exchange {
  Fate fate;
  std::string reply;
};

class NetInstrument {
 public:
  explicit NetInstrument(tgqsim::ResourceConfig config);

  const std::string& Name() const { return config_.name; }
  // One message, without its line feed.
  Exchange Take(const std::string& message);
  // A serial poll and a bus trigger, for the VXI-11 links.
  uint8_t StatusByte();
  void Trigger();
  // As if just switched on: power-on settings and the power-on event.
  void PowerOn() { device_->PowerOn(); }

 private:
  tgqsim::ResourceConfig config_;
  std::unique_ptr<tgqsim::SimulatedDevice> device_;
  int messages_ = 0;  // received since power-on
  // The raw socket and the VXI-11 server serve it from threads of their own.
  std::mutex mutex_;
};

}  // namespace tgqnet
