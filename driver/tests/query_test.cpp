#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "driver/driver_status.h"
#include "driver/tests/driver_fixture.h"

namespace {

using DriverQueries = DriverTest;

TEST_F(DriverQueries, NumberQueriesWriteThenReadAndParse) {
  ViReal64 freq = 0;
  ViInt16 state = 0;
  ScriptReply("+2.50000000000000E+06");
  ScriptReply("1");
  EXPECT_EQ(tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &freq), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdInt16_Q(m_vi, Text("AM:STAT?"), &state), VI_SUCCESS);
  EXPECT_DOUBLE_EQ(freq, 2.5e6);
  EXPECT_EQ(state, 1);
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:FREQ?\n", "viRead:256", "viWrite:AM:STAT?\n", "viRead:256"}));
}

TEST_F(DriverQueries, IntegerRepliesMayBeSignedOrWrittenAsReals) {
  ViInt16 value = 0;
  for (auto [reply, expected] : {std::pair<const char*, int>{"+64", 64}, {"-32768", -32768},
                                 {"1.0E+00", 1}, {" 32767 ", 32767}}) {
    ScriptReply(reply);
    EXPECT_EQ(tgq3207_cmdInt16_Q(m_vi, Text("STAT:QUES:COND?"), &value), VI_SUCCESS) << reply;
    EXPECT_EQ(value, expected) << reply;
  }
}

TEST_F(DriverQueries, RepliesThatAreNoNumberFail) {
  ViInt16 value = 7;
  ViReal64 real = 7;
  for (const char* reply : {"", "ON", "32768", "1.5", "12abc"}) {
    ScriptReply(reply);
    EXPECT_EQ(tgq3207_cmdInt16_Q(m_vi, Text("AM:STAT?"), &value), kStatusInvalidResponse)
        << reply;
  }
  for (const char* reply : {"", "SIN", "nan", "1.0 2.0"}) {
    ScriptReply(reply);
    EXPECT_EQ(tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &real), kStatusInvalidResponse)
        << reply;
  }
  EXPECT_EQ(value, 7);
  EXPECT_EQ(real, 7);
}

TEST_F(DriverQueries, StringRepliesAreCutAtTheCallersSize) {
  char buffer[40];
  for (ViInt32 size : {31, 15}) {
    SCOPED_TRACE(size);
    std::memset(buffer, '#', sizeof buffer);
    ScriptReply(std::string(100, 'A'));
    EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC:USER?"), size, buffer), VI_SUCCESS);
    EXPECT_EQ(std::string(buffer), std::string(size, 'A'));
    EXPECT_EQ(buffer[size + 1], '#');
  }
  ScriptReply("\"SIN\"");
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, buffer), VI_SUCCESS);
  EXPECT_STREQ(buffer, "\"SIN\"");
}

TEST_F(DriverQueries, LongRepliesTakeSeveralReads) {
  char buffer[32];
  ScriptReply(std::string(300, 'B') + "C");
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("*OPT?"), 31, buffer), VI_SUCCESS);
  EXPECT_EQ(Recorded(), (Calls{"viWrite:*OPT?\n", "viRead:256", "viRead:256"}));
  EXPECT_EQ(std::string(buffer), std::string(31, 'B'));
  // The whole reply was consumed: the next query reads its own.
  ScriptReply("1000");
  ViReal64 freq = 0;
  EXPECT_EQ(tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &freq), VI_SUCCESS);
  EXPECT_EQ(freq, 1000.0);
}

TEST_F(DriverQueries, ReplyEndsAtTheEndIndicatorOrTheLineFeed) {
  char buffer[32];
  ScriptRead("SQU", VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, buffer), VI_SUCCESS);
  EXPECT_STREQ(buffer, "SQU");
  ScriptRead("TRI\r\n", VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, buffer), VI_SUCCESS);
  EXPECT_STREQ(buffer, "TRI");
  // A full read that happens to end on the line feed ends the reply too.
  ScriptRead(std::string(255, 'x') + "\n", VI_SUCCESS_MAX_CNT);
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, buffer), VI_SUCCESS);
  EXPECT_EQ(Recorded().back(), "viRead:256");
  EXPECT_EQ(std::count(Recorded().begin(), Recorded().end(), "viRead:256"), 3);
}

// A VISA that reports more than its buffer holds, for a reply that fills the
// buffer exactly: only what was asked for counts.
TEST_F(DriverQueries, AReadCountsNoMoreThanItAskedFor) {
  ViInt32 code = 0;
  char message[TGQ3207_ERROR_MESSAGE_SIZE];
  ScriptRead("-350,\"" + std::string(249, 'm') + "\"", VI_SUCCESS_MAX_CNT, 44);
  ScriptRead("\n", VI_SUCCESS_TERM_CHAR);
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, -350);
  EXPECT_EQ(std::string(message), std::string(249, 'm'));
}

TEST_F(DriverQueries, AReplyThatNeverEndsFails) {
  char buffer[32];
  ScriptRead(std::string(5000, 'x'), VI_SUCCESS_MAX_CNT);
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, buffer), kStatusInvalidResponse);
  EXPECT_STREQ(buffer, "");
}

TEST_F(DriverQueries, UtilityQueries) {
  ViInt16 value = 0;
  char message[TGQ3207_SELF_TEST_MESSAGE_SIZE];
  ScriptReply("1");
  EXPECT_EQ(tgq3207_opc_Q(m_vi, &value), VI_SUCCESS);
  EXPECT_EQ(value, 1);
  ScriptStatusByte(0x44);
  EXPECT_EQ(tgq3207_readStatusByte_Q(m_vi, &value), VI_SUCCESS);
  EXPECT_EQ(value, 0x44);
  ScriptReply("0");
  EXPECT_EQ(tgq3207_self_test(m_vi, &value, message), VI_SUCCESS);
  EXPECT_EQ(value, 0);
  EXPECT_STREQ(message, "Self test passed");
  ScriptReply("+4");
  EXPECT_EQ(tgq3207_self_test(m_vi, &value, message), VI_SUCCESS);
  EXPECT_EQ(value, 4);
  EXPECT_STREQ(message, "Self test failed");
  EXPECT_EQ(Recorded(), (Calls{"viWrite:*OPC?\n", "viRead:256", "viReadSTB", "viWrite:*TST?\n",
                               "viRead:256", "viWrite:*TST?\n", "viRead:256"}));
}

TEST_F(DriverQueries, ErrorQueryParsesCodeAndMessage) {
  ViInt32 code = 99;
  char message[TGQ3207_ERROR_MESSAGE_SIZE];
  ScriptReply("-222,\"Data out of range\"");
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, -222);
  EXPECT_STREQ(message, "Data out of range");
  ScriptReply("+0,\"No error\"");
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, 0);
  EXPECT_STREQ(message, "No error");
  EXPECT_EQ(Recorded(),
            (Calls{"viWrite:SYST:ERR?\n", "viRead:256", "viWrite:SYST:ERR?\n", "viRead:256"}));
}

TEST_F(DriverQueries, ErrorMessagesAreCutTo259Characters) {
  ViInt32 code = 0;
  char message[TGQ3207_ERROR_MESSAGE_SIZE + 8];
  std::memset(message, '#', sizeof message);
  ScriptReply("-350,\"" + std::string(400, 'm') + "\"");
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), VI_SUCCESS);
  EXPECT_EQ(code, -350);
  EXPECT_EQ(std::string(message), std::string(TGQ3207_ERROR_MESSAGE_SIZE - 1, 'm'));
  EXPECT_EQ(message[TGQ3207_ERROR_MESSAGE_SIZE], '#');
  ScriptReply("no error here");
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, message), kStatusInvalidResponse);
}

TEST_F(DriverQueries, TimeOutsComeBackFromEveryQuery) {
  ViInt16 i16 = 0;
  ViInt32 code = 0;
  ViReal64 real = 0;
  char text[TGQ3207_ERROR_MESSAGE_SIZE];
  EXPECT_EQ(tgq3207_cmdString_Q(m_vi, Text("FUNC?"), 31, text), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmdInt16_Q(m_vi, Text("AM:STAT?"), &i16), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_cmdReal64_Q(m_vi, Text("FREQ?"), &real), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_opc_Q(m_vi, &i16), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_self_test(m_vi, &i16, text), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_error_query(m_vi, &code, text), VI_ERROR_TMO);
  FailNext("viReadSTB", VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_readStatusByte_Q(m_vi, &i16), VI_ERROR_TMO);
}

}  // namespace
