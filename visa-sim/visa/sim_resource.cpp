#include "visa-sim/visa/sim_resource.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "visa-sim/model/make_device.h"
#include "visa-sim/model/staged_faults.h"
#include "visa-sim/visa/env_files.h"

namespace tgqsim {

namespace {

std::string_view WithoutLineFeed(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  return text;
}

}  // namespace

SimResource::SimResource(ResourceConfig config)
    : config_(std::move(config)), device_(MakeDevice(config_)) {}

bool SimResource::IoTimesOut(ViUInt32 timeoutMs) {
  ++ioCount_;
  if (config_.delayMs > 0) {
    ViUInt32 wait = std::min<ViUInt32>(static_cast<ViUInt32>(config_.delayMs), timeoutMs);
    std::this_thread::sleep_for(std::chrono::milliseconds(wait));
    if (static_cast<ViUInt32>(config_.delayMs) > timeoutMs) return true;
  }
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

ViStatus SimResource::Write(std::string_view data, ViUInt32 timeoutMs, ViUInt32* written,
                            TrafficLog& log) {
  ViStatus status = VI_SUCCESS;
  ViUInt32 accepted = 0;
  if (IoTimesOut(timeoutMs)) {
    log.Record("timeout", Name(), WithoutLineFeed(data));
    status = VI_ERROR_TMO;
  } else {
    for (const std::string& message : SplitMessages(data)) {
      if (!Deliver(message, log)) {
        status = VI_ERROR_TMO;
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
  if (IoTimesOut(settings.timeoutMs)) {
    device_->DiscardOutput();
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  if (replyLost_) {
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  if (!device_->HasOutput()) {
    device_->ReadWithoutReply();
    log.Record("timeout", Name(), lastMessage_);
    return VI_ERROR_TMO;
  }
  std::string_view pending = device_->PendingOutput();
  size_t take = std::min<size_t>(count, pending.size());
  bool stoppedAtTermChar = false;
  if (settings.termCharEnabled) {
    size_t term = pending.substr(0, take).find(settings.termChar);
    if (term != std::string_view::npos) {
      take = term + 1;
      stoppedAtTermChar = true;
    }
  }
  std::string chunk = device_->TakeOutput(take);
  std::memcpy(buffer, chunk.data(), chunk.size());
  if (read) *read = static_cast<ViUInt32>(chunk.size());
  log.Record("read", Name(), chunk);
  // The instrument ends its reply with END on the last byte.
  if (!device_->HasOutput()) return VI_SUCCESS;
  return stoppedAtTermChar ? VI_SUCCESS_TERM_CHAR : VI_SUCCESS_MAX_CNT;
}

void SimResource::Clear(TrafficLog& log) {
  device_->Clear();
  replyLost_ = false;
  log.Record("clear", Name());
}

ViUInt16 SimResource::ReadStatusByte(TrafficLog& log) {
  ViUInt16 status = device_->StatusByte();
  log.Record("stb", Name(), std::to_string(status));
  return status;
}

void SimResource::Trigger(TrafficLog& log) {
  device_->Trigger();
  log.Record("trigger", Name());
}

std::optional<std::string> SimResource::StateText() const {
  std::optional<std::string> state = device_->StateText();
  if (!state) return std::nullopt;
  return "rsrc=" + Name() + "\n" + *state;
}

}  // namespace tgqsim
