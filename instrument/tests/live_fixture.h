// A live instrument over the recording driver table, with the traffic and
// events of its construction cleared.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "instrument/live_instrument.h"
#include "instrument/tests/fake_driver.h"
#include "instrument/tests/recording_port.h"
#include "instrument/user_exception.h"

using Calls = std::vector<std::string>;
using Events = std::vector<std::string>;

class LiveInstrumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_instrument = std::make_unique<CLiveInstrument>(CFakeDriver::kSession, &m_driver);
    m_port.m_instrument = m_instrument.get();
    m_driver.m_calls.clear();
    m_port.m_events.clear();
  }

  CDriverAnswer Text(const std::string& text) { return CDriverAnswer{0, text}; }
  CDriverAnswer Real(double value) { return CDriverAnswer{0, "", value}; }
  CDriverAnswer Number(int32_t value) { return CDriverAnswer{0, "", 0.0, value}; }

  CRecordingPort m_port;
  CFakeDriver m_driver;
  std::unique_ptr<CLiveInstrument> m_instrument;
};
