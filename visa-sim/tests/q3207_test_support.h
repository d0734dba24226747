// A Q3207 spoken to directly, message by message.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/reply_format.h"

class Q3207Fixture : public ::testing::Test {
 protected:
  explicit Q3207Fixture(tgqsim::InstrumentProfile profile = {}) : inst_(std::move(profile)) {}

  void Send(const std::string& message) { inst_.Receive(message); }
  // The whole reply to a query message, line feed included.
  std::string Ask(const std::string& message) {
    inst_.Receive(message);
    return inst_.TakeOutput(std::string::npos);
  }
  // The error queue, read out the way a controller reads it.
  std::vector<std::string> Errors() {
    std::vector<std::string> errors;
    for (std::string e = Ask("SYST:ERR?"); e != "0,\"No error\"\n"; e = Ask("SYST:ERR?"))
      errors.push_back(e.substr(0, e.size() - 1));
    return errors;
  }
  std::string State() const { return *inst_.StateText(); }

  tgqsim::Q3207Instrument inst_;
};

inline std::string Num(double value) { return tgqsim::FormatNumber(value); }
// A numeric reply, line feed included.
inline std::string Nr3(double value) { return Num(value) + "\n"; }
