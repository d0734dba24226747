// Any bytes written to the instrument: it must neither crash nor break its
// own invariants (a bounded error queue, replies ending in a line feed).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/simulated_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tgqsim::Q3207Instrument instrument{tgqsim::InstrumentProfile{}};
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  for (const std::string& message : tgqsim::SplitMessages(bytes)) {
    instrument.Receive(message);
    if (instrument.HasOutput() && instrument.PendingOutput().back() != '\n') __builtin_trap();
  }
  if (instrument.Errors().Size() > tgqsim::ErrorQueue::kDepth) __builtin_trap();
  instrument.StateText();
  instrument.StatusByte();
  return 0;
}
