#include <gtest/gtest.h>

#include "driver/tests/driver_fixture.h"

namespace {

constexpr ViUInt16 kErrorQueueNotEmpty = 0x04;

using DriverErrorDetection = DriverTest;

TEST_F(DriverErrorDetection, OffUntilSwitchedOn) {
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_SUCCESS);
  EXPECT_EQ(Recorded(), Calls{"viWrite:FUNC SIN\n"});
}

TEST_F(DriverErrorDetection, ASuccessfulCallReadsTheStatusByteAfterwards) {
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_TRUE), VI_SUCCESS);
  ScriptStatusByte(kErrorQueueNotEmpty | 0x10);
  EXPECT_EQ(tgq3207_cmdReal(m_vi, Text("FREQ"), 2e7), TGQ3207_INSTR_ERROR_DETECTED);
  ScriptStatusByte(0xFB);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_SUCCESS);
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:FREQ 20000000\n", "viReadSTB", "viWrite:FUNC SIN\n", "viReadSTB"}));
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_FALSE), VI_SUCCESS);
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SQU")), VI_SUCCESS);
  EXPECT_EQ(Recorded().back(), "viWrite:FUNC SQU\n");
}

TEST_F(DriverErrorDetection, ResultsAreStoredBeforeTheErrorIsReported) {
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_TRUE), VI_SUCCESS);
  ViReal64 freq = 0;
  ViInt16 state = 0;
  char text[32];
  ScriptReply("1500");
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &freq), TGQ3207_INSTR_ERROR_DETECTED);
  ScriptReply("1");
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmdInt16_Q(m_vi, Text("AM:STAT?"), &state), TGQ3207_INSTR_ERROR_DETECTED);
  ScriptReply("RAMP");
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, text), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(freq, 1500.0);
  EXPECT_EQ(state, 1);
  EXPECT_STREQ(text, "RAMP");
}

TEST_F(DriverErrorDetection, EveryInstrumentCallIsWatched) {
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_TRUE), VI_SUCCESS);
  ViInt16 value = 0;
  char message[TGQ3207_SELF_TEST_MESSAGE_SIZE];
  for (int i = 0; i < 5; ++i) ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_cmdInt(m_vi, Text("BM:NCYC"), 3), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(tgq3207_reset(m_vi), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(tgq3207_trg(m_vi), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(tgq3207_statEvenClr(m_vi), TGQ3207_INSTR_ERROR_DETECTED);
  ScriptReply("1");
  EXPECT_EQ(tgq3207_opc_Q(m_vi, &value), TGQ3207_INSTR_ERROR_DETECTED);
  // The status byte asked for, then the one of the check.
  ScriptStatusByte(kErrorQueueNotEmpty);
  ScriptStatusByte(kErrorQueueNotEmpty);
  EXPECT_EQ(tgq3207_readStatusByte_Q(m_vi, &value), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(value, kErrorQueueNotEmpty);
  ScriptReply("0");
  ScriptStatusByte(0);
  EXPECT_EQ(tgq3207_self_test(m_vi, &value, message), VI_SUCCESS);
  EXPECT_STREQ(message, "Self test passed");
}

TEST_F(DriverErrorDetection, QueueDrainingSessionCallsAreNotWatched) {
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_TRUE), VI_SUCCESS);
  for (int i = 0; i < 4; ++i) ScriptStatusByte(kErrorQueueNotEmpty);
  ViInt32 code = 0;
  char message[TGQ3207_ERROR_MESSAGE_SIZE];
  ScriptReply("-113,\"Undefined header\"");
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, -113);
  EXPECT_EQ(tgq3207_dcl(m_vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_timeOut(m_vi, 5000), VI_SUCCESS);
  EXPECT_EQ(Recorded(), (Calls{"viWrite:SYST:ERR?\n", "viRead:256", "viClear",
                               "viSetAttribute:TMO_VALUE=5000"}));
}

TEST_F(DriverErrorDetection, FailuresAreReturnedWithoutALookAtTheQueue) {
  ASSERT_EQ(tgq3207_errorQueryDetect(m_vi, VI_TRUE), VI_SUCCESS);
  ScriptStatusByte(kErrorQueueNotEmpty);
  FailNext("viWrite", VI_ERROR_IO);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_ERROR_IO);
  EXPECT_EQ(Recorded(), Calls{"viWrite:FUNC SIN\n"});
  FailNext("viReadSTB", VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("FUNC SIN")), VI_ERROR_TMO);
}

}  // namespace
