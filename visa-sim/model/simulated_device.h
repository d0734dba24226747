// A device behind a simulated resource as the message exchange sees it:
// program messages in, replies queued for reading, a status byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "visa-sim/model/scpi_error.h"

namespace tgqsim {

class SimulatedDevice {
 public:
  virtual ~SimulatedDevice() = default;

  // One complete program message, without its terminator.
  virtual void Receive(std::string_view message) = 0;
  // A controller read while no reply was pending.
  virtual void ReadWithoutReply() {}
  virtual uint8_t StatusByte() const { return 0; }
  // A bus trigger (the message *TRG or the interface's trigger).
  virtual void Trigger() {}
  // Pushes an error into the device's error queue; false when it has none.
  virtual bool QueueError(const ScpiError& /*error*/) { return false; }
  // The settings as key=value lines, for devices that have settings.
  virtual std::optional<std::string> StateText() const { return std::nullopt; }
  // Switched off and on: power-on settings, empty queues, the power-on event.
  virtual void PowerOn() { output_.clear(); }
  // Device clear: empties the input and output buffers.
  virtual void Clear() { output_.clear(); }

  bool HasOutput() const { return !output_.empty(); }
  std::string_view PendingOutput() const { return output_; }
  // Up to count bytes of the pending reply, removed from it.
  std::string TakeOutput(size_t count);
  void DiscardOutput() { output_.clear(); }
  // Pads the pending reply with blanks before its line feed to length bytes.
  void StretchReply(size_t length);
  // Puts a carriage return before the pending reply's line feed.
  void EndReplyWithCarriageReturn();

 protected:
  std::string output_;
};

// The messages of a write: a line feed ends each one; empty ones are dropped.
std::vector<std::string> SplitMessages(std::string_view data);

}  // namespace tgqsim
