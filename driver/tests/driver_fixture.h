// An open driver session over the scripted VISA, with the opening traffic
// already cleared from the record.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/tests/fake_visa.h"
#include "tgq3207.h"

using Calls = std::vector<std::string>;

class DriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFakeVisa();
    ASSERT_EQ(tgq3207_init(const_cast<ViRsrc>(kResource), VI_FALSE, VI_FALSE, &m_vi),
              VI_SUCCESS);
    FakeVisa().m_calls.clear();
  }
  void TearDown() override { tgq3207_close(m_vi); }

  const Calls& Recorded() { return FakeVisa().m_calls; }

  static constexpr const char* kResource = "GPIB-VXI0::24::INSTR";
  ViSession m_vi = VI_NULL;
};

inline ViString Text(const char* text) { return const_cast<ViString>(text); }
