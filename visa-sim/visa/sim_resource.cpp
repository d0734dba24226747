#include "visa-sim/visa/sim_resource.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "visa-sim/model/make_device.h"
#include "visa-sim/model/staged_faults.h"
#include "visa-sim/visa/env_files.h"
#include "visa-sim/visa/visa_status_extra.h"

namespace tgqsim {

namespace {

std::string_view WithoutLineFeed(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  return text;
}

// The device's reply as it reaches the VISA: in pieces no larger than the
// resource's largest, cut where an enabled termination character stops the
// transfer, with END on its last byte where the interface has END.
class DevicePieces : public PieceSource {
 public:
  DevicePieces(SimulatedDevice& device, const ResourceConfig& config, const ReadSettings& settings)
      : device_(device), config_(config), settings_(settings) {}

  // The simulated device says at once all it will say: no piece can come
  // later, so a read that waits for one times out without waiting it out.
  std::optional<Piece> NextPiece(size_t wanted, Deadline /*deadline*/) override {
    if (!device_.HasOutput()) return std::nullopt;
    std::string_view pending = device_.PendingOutput();
    size_t take = std::min(wanted, pending.size());
    if (config_.largestPiece > 0) take = std::min(take, config_.largestPiece);
    if (settings_.termCharEnabled) {
      size_t term = pending.substr(0, take).find(settings_.termChar);
      if (term != std::string_view::npos) take = term + 1;
    }
    Piece piece{device_.TakeOutput(take), false};
    piece.end = config_.endIndicator && !device_.HasOutput();
    return piece;
  }

 private:
  SimulatedDevice& device_;
  const ResourceConfig& config_;
  const ReadSettings& settings_;
};

// What a lost link looks like on each interface: the LAN reports it, a GPIB
// device that is gone has no listeners, and a VXI module only times out.
ViStatus LostLinkStatus(const ResourceConfig& config) {
  if (config.socket || config.intfType == VI_INTF_TCPIP) return VI_ERROR_CONN_LOST;
  if (config.intfType == VI_INTF_GPIB || config.intfType == VI_INTF_GPIB_VXI) return VI_ERROR_NLISTENERS;
  return VI_ERROR_TMO;
}

}  // namespace

std::optional<ViStatus> SimResource::LinkLoss(std::string_view message, TrafficLog& log) {
  if (!config_.link.Scripted()) return std::nullopt;
  long long nowMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - poweredOn_).count();
  if (!link_.DownFor(config_.link, *device_, ioCount_ + 1, nowMs, message)) return std::nullopt;
  ++ioCount_;
  device_->DiscardOutput();
  reader_.Discard();
  unterminated_.clear();
  log.Record("lost", Name(), WithoutLineFeed(message));
  return LostLinkStatus(config_);
}

SimResource::SimResource(ResourceConfig config)
    : config_(std::move(config)), device_(MakeDevice(config_)) {}

bool SimResource::IoTimesOut(ViUInt32 timeoutMs) {
  ++ioCount_;
  if (config_.delayMs > 0) {
    ViUInt32 wait = std::min<ViUInt32>(static_cast<ViUInt32>(config_.delayMs), timeoutMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    if (static_cast<ViUInt32>(config_.delayMs) > timeoutMs) return true;
  }
  // VISA opened the session with the warning that the device does not answer.
  if (config_.openStatus == VI_SUCCESS_DEV_NPRESENT) return true;
  const std::vector<int>& ios = config_.timeoutIos;
  return std::find(ios.begin(), ios.end(), ioCount_) != ios.end();
}

bool SimResource::Deliver(const std::string& message, TrafficLog& log) {
  Delivery delivery = DeliverWithFaults(config_, *device_, message);
  if (delivery == Delivery::kLost) {
    log.Record("timeout", Name(), message);
    return false;
  }
  log.Record("write", Name(), message);
  lastMessage_ = message;
  // The instrument hangs on a query: it takes the message but never answers.
  replyLost_ = delivery == Delivery::kUnanswered;
  return true;
}

ViStatus SimResource::Write(std::string_view data, const WriteSettings& settings,
                            ViUInt32* written, TrafficLog& log) {
  ViStatus status = VI_SUCCESS;
  ViUInt32 accepted = 0;
  std::string text = unterminated_ + std::string(data);
  if (std::optional<ViStatus> lost = LinkLoss(text, log)) {
    if (written) *written = 0;
    return *lost;
  }
  unterminated_.clear();
  if (IoTimesOut(settings.timeoutMs)) {
    log.Record("timeout", Name(), WithoutLineFeed(text));
    status = VI_ERROR_TMO;
  } else {
    // END ends a message as a line feed does; without it the rest waits.
    size_t lineFeed = text.rfind('\n');
    size_t complete = settings.sendEnd && config_.endIndicator ? text.size()
                      : lineFeed == std::string::npos          ? 0
                                                               : lineFeed + 1;
    unterminated_ = text.substr(complete);
    for (const std::string& message : SplitMessages(std::string_view(text).substr(0, complete))) {
      if (!Deliver(message, log)) {
        status = VI_ERROR_TMO;
        unterminated_.clear();
        break;
      }
    }
    if (status == VI_SUCCESS) accepted = static_cast<ViUInt32>(data.size());
  }
  if (written) *written = accepted;
  if (std::optional<std::string> state = StateText()) RewriteFileNamedBy("TGQ_SIM_STATE", *state);
  return status;
}

ViStatus SimResource::Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings,
                           ViUInt32* read, TrafficLog& log) {
  if (read) *read = 0;
  if (std::optional<ViStatus> lost = LinkLoss("", log)) return *lost;
  if (IoTimesOut(settings.timeoutMs)) {
    device_->DiscardOutput();
    reader_.Discard();
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  if (replyLost_) {
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  if (!device_->HasOutput() && !reader_.HasUnread()) {
    device_->ReadWithoutReply();
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  DevicePieces pieces(*device_, config_, settings);
  ReadOutcome outcome = reader_.Read(pieces, count, settings);
  std::memcpy(buffer, outcome.bytes.data(), outcome.bytes.size());
  if (read) *read = static_cast<ViUInt32>(outcome.bytes.size());
  if (!outcome.bytes.empty()) log.Record("read", Name(), outcome.bytes);
  if (outcome.status == VI_ERROR_TMO) log.Record("timeout", Name(), lastMessage_);
  return outcome.status;
}

void SimResource::Clear(TrafficLog& log) {
  reader_.Discard();
  if (config_.socket) {
    // Only what is on its way is dropped; the instrument hears of nothing.
    device_->DiscardOutput();
    log.Record("flush", Name());
    return;
  }
  device_->Clear();
  unterminated_.clear();
  replyLost_ = false;
  log.Record("clear", Name());
}

ViStatus SimResource::ReadStb(ViUInt16* status, TrafficLog& log) {
  // A raw socket has no serial poll.
  if (config_.socket) return VI_ERROR_NSUP_OPER;
  if (std::optional<ViStatus> lost = LinkLoss("", log)) return *lost;
  *status = device_->StatusByte();
  log.Record("stb", Name(), std::to_string(*status));
  return VI_SUCCESS;
}

ViStatus SimResource::AssertTrigger(TrafficLog& log) {
  if (config_.socket) return VI_ERROR_NSUP_OPER;
  if (std::optional<ViStatus> lost = LinkLoss("", log)) return *lost;
  device_->Trigger();
  log.Record("trigger", Name());
  return VI_SUCCESS;
}

std::optional<std::string> SimResource::StateText() const {
  std::optional<std::string> state = device_->StateText();
  if (!state) return std::nullopt;
  return "rsrc=" + Name() + "\n" + *state;
}

}  // namespace tgqsim
