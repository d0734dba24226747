#include "netsim/net_instrument.h"

#include <gtest/gtest.h>

#include <vector>

#include "netsim/message_assembler.h"
#include "visa-sim/model/mainframe_config.h"

namespace {

using tgqnet::Fate;

tgqnet::NetInstrument Configured(const char* keys) {
  tgqsim::ConfigResult r =
      tgqsim::ParseMainframeConfig(std::string("resource TCPIP0::localhost::5025::SOCKET\n") + keys);
  EXPECT_EQ(r.badLine, 0) << r.problem;
  return tgqnet::NetInstrument(r.config.resources.at(0));
}

TEST(NetInstrument, EachStagedFaultMeetsItsMessageInTurn) {
  tgqnet::NetInstrument instrument = Configured(
      "timeout-io 3\ntimeout-on VOLT\ntimeout-on FUNC?\nstall-on FREQ? 4\nstall-on *OPC? 9\n"
      "drop-on *TRG\nerror-flood *CLS 2\n");
  struct Step {
    const char* message;
    Fate fate;
    const char* reply;
  };
  for (Step step : std::vector<Step>{
           {"*IDN?", Fate::kAnswered, "TARROWS-GIMBELL,Q3207,0,A.01.00\n"},
           {"FREQ 2000", Fate::kAnswered, ""},
           {"FREQ 3000", Fate::kLost, ""},  // the third message
           {"FREQ?", Fate::kStalled, "+2.0"},
           {"*OPC?", Fate::kStalled, "1"},  // never the line feed
           {"VOLT 1", Fate::kLost, ""},
           {"VOLT?", Fate::kAnswered, "+1.00000000000000E-01\n"},
           {"FUNC?", Fate::kUnanswered, ""},
           {"*TRG", Fate::kDropped, ""},
           {"*CLS", Fate::kAnswered, ""},
           {"SYST:ERR?;:SYST:ERR?;:SYST:ERR?", Fate::kAnswered,
            "-300,\"Device-specific error;flood 1 of 2\";"
            "-300,\"Device-specific error;flood 2 of 2\";0,\"No error\"\n"},
       }) {
    tgqnet::Exchange exchange = instrument.Take(step.message);
    EXPECT_EQ(exchange.fate, step.fate) << step.message;
    EXPECT_EQ(exchange.reply, step.reply) << step.message;
  }
}

TEST(MessageAssembler, CutsAtLineFeedsAcrossPiecesWithinItsBound) {
  tgqnet::MessageAssembler assembler(9);
  std::vector<std::string> messages;
  EXPECT_TRUE(assembler.Add("*IDN?\r\n\n  \r\nFREQ", &messages));
  EXPECT_EQ(assembler.Partial(), "FREQ");
  EXPECT_TRUE(assembler.Add(" 1000\nVOLT 0.5", &messages));  // 9 bytes: at the bound
  EXPECT_EQ(messages, (std::vector<std::string>{"*IDN?", "FREQ 1000"}));
  EXPECT_EQ(assembler.Partial(), "VOLT 0.5");
  EXPECT_TRUE(assembler.Add("\n", &messages));
  EXPECT_EQ(messages.back(), "VOLT 0.5");
  EXPECT_FALSE(assembler.Add("1234567890", &messages));
}

}  // namespace
