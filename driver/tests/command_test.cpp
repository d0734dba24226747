#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "driver/tests/driver_fixture.h"

namespace {

using DriverCommands = DriverTest;

TEST_F(DriverCommands, CommandsGoOutWholeWithALineFeed) {
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdInt(m_vi, Text("BM:NCYC"), 50000), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdInt(m_vi, Text("BM:NCYC"), -5), VI_SUCCESS);
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:FUNC SIN\n", "viWrite:BM:NCYC 50000\n", "viWrite:BM:NCYC -5\n"}));
}

TEST_F(DriverCommands, RealValuesKeepFifteenSignificantDigits) {
  for (double value : {2500000.0, 0.1, 1.0 / 3.0, 15e6, -2.5, 1e-5, 0.0})
    EXPECT_EQ(tgq3207_cmdReal(m_vi, Text("FREQ"), value), VI_SUCCESS);
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:FREQ 2500000\n", "viWrite:FREQ 0.1\n",
                   "viWrite:FREQ 0.333333333333333\n", "viWrite:FREQ 15000000\n",
                   "viWrite:FREQ -2.5\n", "viWrite:FREQ 1e-05\n", "viWrite:FREQ 0\n"}));
}

TEST_F(DriverCommands, UtilityCommands) {
  EXPECT_EQ(tgq3207_reset(m_vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_statEvenClr(m_vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_dcl(m_vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_trg(m_vi), VI_SUCCESS);
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:*RST\n", "viWrite:*CLS\n", "viClear", "viAssertTrigger"}));
}

TEST_F(DriverCommands, TriggerFallsBackToTrgWhenVisaCannotAssertOne) {
  FakeVisa().m_triggerSupported = false;
  EXPECT_EQ(tgq3207_trg(m_vi), VI_SUCCESS);
  EXPECT_EQ(Recorded(), (Calls{"viAssertTrigger", "viWrite:*TRG\n"}));
  FailNext("viAssertTrigger", VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_trg(m_vi), VI_ERROR_TMO);
}

TEST_F(DriverCommands, TimeOutsComeBackFromEveryCommand) {
  for (int i = 0; i < 6; ++i) FailNext("viWrite", VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmdInt(m_vi, Text("BM:NCYC"), 1), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmdReal(m_vi, Text("FREQ"), 1.0), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_reset(m_vi), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_statEvenClr(m_vi), VI_ERROR_TMO);
  FakeVisa().m_triggerSupported = false;
  EXPECT_EQ(tgq3207_trg(m_vi), VI_ERROR_TMO);
  FailNext("viClear", VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_dcl(m_vi), VI_ERROR_TMO);
}

TEST_F(DriverCommands, NullTextIsRefused) {
  EXPECT_EQ(tgq3207_cmd(m_vi, nullptr), VI_ERROR_INV_PARAMETER);
  EXPECT_EQ(tgq3207_cmdReal(m_vi, nullptr, 1.0), VI_ERROR_INV_PARAMETER);
  EXPECT_TRUE(Recorded().empty());
}

void SetTraceFile(const char* path) {
#ifdef _WIN32
  _putenv_s("TGQ3207_TRACE", path);
#else
  if (*path == '\0')
    unsetenv("TGQ3207_TRACE");
  else
    setenv("TGQ3207_TRACE", path, 1);
#endif
}

TEST_F(DriverCommands, TraceAppendsCommandsRepliesAndFailures) {
  std::string path = ::testing::TempDir() + "tgq3207_trace.txt";
  std::remove(path.c_str());
  SetTraceFile(path.c_str());
  ViReal64 freq = 0;
  tgq3207_cmdReal(m_vi, Text("FREQ"), 2500000.0);
  ScriptReply("+2.50000000000000E+06");
  tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &freq);
  tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &freq);
  SetTraceFile("");
  tgq3207_cmd(m_vi, Text("*CLS"));
  std::ifstream file(path);
  std::stringstream content;
  content << file.rdbuf();
  EXPECT_EQ(content.str(),
            "> FREQ 2500000\n> FREQ?\n< +2.50000000000000E+06\n> FREQ?\n"
            "! viRead 0xBFFF0015\n");
  std::remove(path.c_str());
}

}  // namespace
