#include "visa-sim/tests/q3207_test_support.h"

namespace {

using Q3207Status = Q3207Fixture;

TEST_F(Q3207Status, ErrorQueueIsOldestFirstAndClearedByReading) {
  Send("FREQ 1E9");
  Send("FUNC SQUA");
  Send("BOGUS");
  EXPECT_EQ(Ask("SYST:ERR?"), "-222,\"Data out of range\"\n");
  EXPECT_EQ(Ask("SYST:ERR?"), "-224,\"Illegal parameter value\"\n");
  EXPECT_EQ(Ask("SYSTEM:ERROR:NEXT?"), "-113,\"Undefined header\"\n");
  EXPECT_EQ(Ask("SYST:ERR?"), "0,\"No error\"\n");
}

TEST_F(Q3207Status, FullQueueEndsInQueueOverflow) {
  for (int i = 0; i < 25; ++i) Send("FREQ 1E9");
  Send("BOGUS");
  std::vector<std::string> errors = Errors();
  ASSERT_EQ(errors.size(), tgqsim::ErrorQueue::kDepth);
  for (size_t i = 0; i + 1 < errors.size(); ++i) EXPECT_EQ(errors[i], "-222,\"Data out of range\"");
  EXPECT_EQ(errors.back(), "-350,\"Queue overflow\"");
}

TEST_F(Q3207Status, ClsEmptiesTheQueueAndTheEventRegister) {
  Send("FREQ 1E9;BOGUS");
  Send("*CLS");
  EXPECT_EQ(Ask("SYST:ERR?;*ESR?"), "0,\"No error\";0\n");
}

TEST_F(Q3207Status, UnreadReplyAndReadWithoutReplyAreQueryErrors) {
  Send("FREQ?");
  Send("VOLT 1");  // the frequency reply is thrown away
  EXPECT_FALSE(inst_.HasOutput());
  inst_.ReadWithoutReply();
  EXPECT_EQ(Errors(), (std::vector<std::string>{"-410,\"Query INTERRUPTED\"",
                                                "-420,\"Query UNTERMINATED\""}));
  EXPECT_EQ(Ask("VOLT?"), Nr3(1));
}

TEST_F(Q3207Status, StatusByteShowsErrorsPendingReplyAndEventSummary) {
  EXPECT_EQ(inst_.StatusByte(), 0);
  Send("FREQ 1E9");
  EXPECT_EQ(inst_.StatusByte(), tgqsim::kStbErrorQueue);
  Send("FREQ?");
  EXPECT_EQ(inst_.StatusByte(), tgqsim::kStbErrorQueue | tgqsim::kStbMessageAvailable);
  inst_.TakeOutput(std::string::npos);
  EXPECT_EQ(Ask("*STB?"), "4\n");  // its own reply is not yet queued while it runs
  EXPECT_EQ(Errors(), std::vector<std::string>{"-222,\"Data out of range\""});
  EXPECT_EQ(inst_.StatusByte(), 0);

  Send("*ESE 16");  // execution errors raise the event summary
  Send("FREQ 1E9");
  EXPECT_EQ(inst_.StatusByte(), tgqsim::kStbErrorQueue | tgqsim::kStbEventSummary);
  EXPECT_EQ(Ask("*ESR?"), "16\n");
  EXPECT_EQ(Ask("*ESE?"), "16\n");
  Send("*OPC");
  EXPECT_EQ(Ask("*ESR?"), "1\n");
}

TEST(Q3207StatusExtra, ConfiguredBitsAreOredIn) {
  tgqsim::InstrumentProfile profile;
  profile.extraStatusBits = 16;
  tgqsim::Q3207Instrument inst(profile);
  EXPECT_EQ(inst.StatusByte(), 16);
  inst.Receive("FREQ 1E9");
  EXPECT_EQ(inst.StatusByte(), 20);
}

TEST_F(Q3207Status, QueuedErrorsFromOutsideComeOutInOrder) {
  EXPECT_TRUE(inst_.QueueError({-310, "System error"}));
  Send("FREQ 1E9");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"-310,\"System error\"",
                                                "-222,\"Data out of range\""}));
}

TEST_F(Q3207Status, DeviceClearDropsTheReplyNotTheErrors) {
  Send("FREQ 1E9;:FREQ?");
  inst_.Clear();
  EXPECT_FALSE(inst_.HasOutput());
  EXPECT_EQ(Errors(), std::vector<std::string>{"-222,\"Data out of range\""});
}

TEST_F(Q3207Status, TriggersAreCounted) {
  Send("*TRG");
  inst_.Trigger();
  EXPECT_NE(State().find("triggers=2\n"), std::string::npos);
}

}  // namespace
