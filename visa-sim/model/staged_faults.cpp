#include "visa-sim/model/staged_faults.h"

#include <algorithm>

#include "visa-sim/model/program_message.h"

namespace tgqsim {

namespace {

bool IsQueryHeader(const std::string& header) { return !header.empty() && header.back() == '?'; }

}  // namespace

bool Contains(const std::vector<std::string>& headers, const std::string& header) {
  return std::find(headers.begin(), headers.end(), header) != headers.end();
}

Delivery DeliverWithFaults(const ResourceConfig& config, SimulatedDevice& device,
                           const std::string& message) {
  std::vector<std::string> headers = MessageHeaders(message);
  bool commandTimesOut = false, queryTimesOut = false;
  for (const std::string& header : config.timeoutHeaders) {
    if (!Contains(headers, header)) continue;
    (IsQueryHeader(header) ? queryTimesOut : commandTimesOut) = true;
  }
  if (commandTimesOut && !queryTimesOut) return Delivery::kLost;
  if (queryTimesOut) {
    device.DiscardOutput();
    return Delivery::kUnanswered;
  }
  device.Receive(message);
  for (const HeaderFault& fault : config.longReplies)
    if (Contains(headers, fault.header)) device.StretchReply(static_cast<size_t>(fault.amount));
  if (config.carriageReturn) device.EndReplyWithCarriageReturn();
  for (const HeaderFault& fault : config.errorFloods) {
    if (!Contains(headers, fault.header)) continue;
    for (int i = 1; i <= fault.amount; ++i)
      device.QueueError({kDeviceSpecificError.code, kDeviceSpecificError.message + ";flood " +
                                                        std::to_string(i) + " of " +
                                                        std::to_string(fault.amount)});
  }
  return Delivery::kTaken;
}

// The link goes once, or with a message each time one comes while it is up.
bool LinkState::DownFor(const LinkScript& script, SimulatedDevice& device, int io, long long nowMs,
                        std::string_view message) {
  if (!down_) {
    bool lost = !lossCame_ &&
                ((script.lostAtIo && io >= *script.lostAtIo) || (script.lostAtMs && nowMs >= *script.lostAtMs));
    if (!lost && !message.empty() && (!lossCame_ || script.lostAgain))
      for (const std::string& header : MessageHeaders(message)) lost = lost || Contains(script.lostOn, header);
    if (!lost) return false;
    lossCame_ = true;
    down_ = true;
    lostIo_ = io;
    lostMs_ = nowMs;
  }
  bool back = (script.backAfterIos && io - lostIo_ >= *script.backAfterIos) ||
              (script.backAfterMs && nowMs - lostMs_ >= *script.backAfterMs);
  if (!back) return true;
  down_ = false;
  if (script.powerCycle) device.PowerOn();
  return false;
}

}  // namespace tgqsim
