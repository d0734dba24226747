// The Q3207 function generator: its settings and limits, its SCPI command
// set, its error queue and status reporting, and the message exchange rules
// of an IEEE 488.2 instrument (-410 for an unread reply, -420 for a read with
// nothing to say).
#pragma once

#include <cstdint>
#include <string>

#include "visa-sim/model/error_queue.h"
#include "visa-sim/model/q3207_settings.h"
#include "visa-sim/model/simulated_device.h"

namespace tgqsim {

// What the mainframe configuration says about one Q3207.
struct InstrumentProfile {
  std::string identification = "TARROWS-GIMBELL,Q3207,0,A.01.00";
  std::string options = "1:PLL";  // *OPT? replies "0" when empty
  int selfTestCode = 0;
  bool pllLocked = true;
  uint8_t extraStatusBits = 0;  // or'ed into the status byte
};

// Status byte bits.
constexpr uint8_t kStbErrorQueue = 0x04;
constexpr uint8_t kStbMessageAvailable = 0x10;
constexpr uint8_t kStbEventSummary = 0x20;
// Questionable status condition: the PLL is unlocked.
constexpr int kQuesPllUnlocked = 0x40;
// Standard event status bits.
constexpr uint8_t kEsrOperationComplete = 0x01;
constexpr uint8_t kEsrPowerOn = 0x80;

class Q3207Instrument : public SimulatedDevice {
 public:
  explicit Q3207Instrument(InstrumentProfile profile);

  void Receive(std::string_view message) override;
  void ReadWithoutReply() override;
  uint8_t StatusByte() const override;
  void Trigger() override { ++triggers_; }
  bool QueueError(const ScpiError& error) override;
  std::optional<std::string> StateText() const override;

  // For the command handlers.
  Q3207Settings& Settings() { return settings_; }
  const Q3207Settings& Settings() const { return settings_; }
  const InstrumentProfile& Profile() const { return profile_; }
  ErrorQueue& Errors() { return errors_; }
  void Reset() { settings_ = Q3207Settings{}; }
  void PowerOn() override;
  void ClearStatus();
  // *ESR?: the standard event status register, cleared by reading.
  uint8_t TakeEventStatus();
  void SignalOperationComplete() { eventStatus_ |= kEsrOperationComplete; }
  uint8_t EventStatusEnable() const { return eventStatusEnable_; }
  void SetEventStatusEnable(uint8_t mask) { eventStatusEnable_ = mask; }

 private:
  Q3207Settings settings_;
  InstrumentProfile profile_;
  ErrorQueue errors_;
  uint8_t eventStatus_ = 0;
  uint8_t eventStatusEnable_ = 0;
  int triggers_ = 0;
};

}  // namespace tgqsim
