#include "visa-sim/model/q3207_instrument.h"

#include "visa-sim/model/command.h"
#include "visa-sim/model/program_message.h"
#include "visa-sim/model/q3207_commands.h"
#include "visa-sim/model/q3207_state_text.h"

namespace tgqsim {

namespace {

// The standard event status bit that an error of this class sets.
uint8_t EventBitFor(int code) {
  if (code <= -100 && code >= -199) return 0x20;  // command error
  if (code <= -200 && code >= -299) return 0x10;  // execution error
  if (code <= -300 && code >= -399) return 0x08;  // device-specific error
  if (code <= -400 && code >= -499) return 0x04;  // query error
  return 0x08;
}

const Command* FindCommand(const ProgramUnit& unit) {
  for (const Command& command : Q3207Commands()) {
    bool hasForm = unit.query ? static_cast<bool>(command.query) : static_cast<bool>(command.set);
    if (hasForm && command.header.Matches(unit.path)) return &command;
  }
  return nullptr;
}

}  // namespace

Q3207Instrument::Q3207Instrument(InstrumentProfile profile) : profile_(std::move(profile)) {}

void Q3207Instrument::Receive(std::string_view message) {
  if (HasOutput()) {
    DiscardOutput();
    QueueError(kQueryInterrupted);
  }
  ParsedMessage parsed = ParseProgramMessage(message);
  std::string replies;
  bool discardRest = false;
  for (const ProgramUnit& unit : parsed.units) {
    const Command* command = FindCommand(unit);
    if (!command) {
      QueueError(kUndefinedHeader);
      discardRest = true;
      break;
    }
    try {
      if (unit.query) {
        std::string reply = command->query(*this, unit.params);
        replies += (replies.empty() ? "" : ";") + reply;
      } else {
        command->set(*this, unit.params);
      }
    } catch (const ScpiFailure& failure) {
      QueueError(failure.error);
      if (IsCommandError(failure.error.code)) {
        discardRest = true;
        break;
      }
    }
  }
  if (parsed.error && !discardRest) QueueError(*parsed.error);
  if (!replies.empty()) output_ = replies + "\n";
}

void Q3207Instrument::ReadWithoutReply() { QueueError(kQueryUnterminated); }

uint8_t Q3207Instrument::StatusByte() const {
  uint8_t status = profile_.extraStatusBits;
  if (!errors_.Empty()) status |= kStbErrorQueue;
  if (HasOutput()) status |= kStbMessageAvailable;
  if (eventStatus_ & eventStatusEnable_) status |= kStbEventSummary;
  return status;
}

bool Q3207Instrument::QueueError(const ScpiError& error) {
  errors_.Push(error);
  eventStatus_ |= EventBitFor(error.code);
  return true;
}

std::optional<std::string> Q3207Instrument::StateText() const {
  return Q3207StateText(settings_, errors_.Size(), triggers_);
}

void Q3207Instrument::PowerOn() {
  SimulatedDevice::PowerOn();
  Reset();
  ClearStatus();
  eventStatusEnable_ = 0;
  eventStatus_ = kEsrPowerOn;
}

void Q3207Instrument::ClearStatus() {
  errors_.Clear();
  eventStatus_ = 0;
}

uint8_t Q3207Instrument::TakeEventStatus() {
  uint8_t status = eventStatus_;
  eventStatus_ = 0;
  return status;
}

}  // namespace tgqsim
