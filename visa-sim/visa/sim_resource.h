// One resource of the simulated mainframe: its configuration, the device
// behind it, and the staged faults that stand between the two.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "visa-sim/model/mainframe_config.h"
#include "visa-sim/model/simulated_device.h"
#include "visa-sim/model/staged_faults.h"
#include "visa-sim/visa/reply_reader.h"
#include "visa-sim/visa/session_target.h"
#include "visa-sim/visa/traffic_log.h"
#include "visa.h"

namespace tgqsim {

class SimResource : public SessionTarget {
 public:
  explicit SimResource(ResourceConfig config);

  const ResourceConfig& Config() const override { return config_; }
  SimulatedDevice& Device() { return *device_; }

  ViStatus Write(std::string_view data, const WriteSettings& settings, ViUInt32* written,
                 TrafficLog& log) override;
  ViStatus Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings, ViUInt32* read,
                TrafficLog& log) override;
  void Clear(TrafficLog& log) override;
  ViStatus ReadStb(ViUInt16* status, TrafficLog& log) override;
  ViStatus AssertTrigger(TrafficLog& log) override;
  // "rsrc=NAME" and the device's state lines; empty when the device has no state.
  std::optional<std::string> StateText() const;
  // While the scripted link is down, the status that an I/O carrying
  // `message` returns (after it is counted and logged); none while it is up.
  std::optional<ViStatus> LinkLoss(std::string_view message, TrafficLog& log);

 private:
  // Counts the I/O and waits the configured delay; true when it times out.
  bool IoTimesOut(ViUInt32 timeoutMs);
  // Delivers one message; false when it timed out on the way in.
  bool Deliver(const std::string& message, TrafficLog& log);

  ResourceConfig config_;
  std::unique_ptr<SimulatedDevice> device_;
  int ioCount_ = 0;
  // A query timed out: its reply will never come.
  bool replyLost_ = false;
  std::string lastMessage_;
  // The start of a message whose end has not come yet (no line feed, no END).
  std::string unterminated_;
  ReplyReader reader_;
  LinkState link_;
  std::chrono::steady_clock::time_point poweredOn_ = std::chrono::steady_clock::now();
};

}  // namespace tgqsim
