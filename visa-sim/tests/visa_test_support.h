// Tests of the VISA functions over a mainframe configured for each test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "visa-sim/sim_control.h"
#include "visa.h"

constexpr const char* kQ3207 = "GPIB-VXI0::24::INSTR";

class VisaSimTest : public ::testing::Test {
 protected:
  void TearDown() override { tgqsim_configure(nullptr); }

  // Installs the mainframe and opens a resource manager on it.
  void Configure(const std::string& config);
  ViSession Open(const std::string& name);
  ViStatus Write(ViSession vi, const std::string& text);
  // One viRead of at most count bytes.
  std::string Read(ViSession vi, ViUInt32 count, ViStatus* status);
  // Writes the query and reads its reply whole, line feed included.
  std::string Query(ViSession vi, const std::string& text);
  std::string Traffic();
  std::vector<std::string> TrafficLines();
  std::string State(const std::string& rsrc = kQ3207);

  ViSession rm_ = VI_NULL;
};

// A key's value in the state text.
std::string StateValue(const std::string& state, const std::string& key);
