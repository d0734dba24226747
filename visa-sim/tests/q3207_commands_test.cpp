#include <cstdlib>

#include "visa-sim/tests/q3207_test_support.h"

namespace {

using Q3207Commands = Q3207Fixture;

struct CommandCase {
  const char* command;
  const char* query;
  std::string reply;
};

// Each command exactly as the soft front panel and its driver send it, on a
// fresh instrument, read back with the panel's query.
TEST(Q3207PanelCommands, EveryPanelCommandIsTakenAndReadBack) {
  for (const CommandCase& c : std::vector<CommandCase>{
           {"FUNC SQU", "FUNC?", "SQU\n"},
           {"FUNC TRI", "FUNC?", "TRI\n"},
           {"FUNC RAMP", "FUNC?", "RAMP\n"},
           {"FUNC NOISE", "FUNC?", "NOIS\n"},
           {"FUNC USER", "FUNC?", "USER\n"},
           {"FUNC DC", "FUNC?", "DC\n"},
           {"FUNC:USER CARDIAC", "FUNC:USER?", "CARDIAC\n"},
           {"FUNC:USER NEG_RAMP", "FUNC:USER?", "NEG_RAMP\n"},
           {"FREQ 2500000", "FREQ?", Nr3(2.5e6)},
           {"VOLT:UNIT VPP;:VOLT 0.5", "VOLT:UNIT VPP;:VOLT?", Nr3(0.5)},
           {"VOLT:OFFS -1.25", "VOLT:OFFS?", Nr3(-1.25)},
           {"PULS:DCYC 20", "PULS:DCYC?", Nr3(20)},
           {"OUTP:LOAD INF", "OUTP:LOAD?", Nr3(9.9e37)},
           {"OUTP:LOAD 50", "OUTP:LOAD?", Nr3(50)},
           {"AM:DEPT 120", "AM:DEPT?", Nr3(120)},
           {"AM:INT:FREQ 20000", "AM:INT:FREQ?", Nr3(20e3)},
           {"AM:INT:FUNC NOISE", "AM:INT:FUNC?", "NOIS\n"},
           {"AM:SOUR EXT", "AM:SOUR?", "EXT\n"},
           {"AM:STAT ON", "AM:STAT?", "1\n"},
           {"FM:DEV 7500000", "FM:DEV?", Nr3(7.5e6)},
           {"FM:INT:FREQ 10000", "FM:INT:FREQ?", Nr3(10e3)},
           {"FM:INT:FUNC USER", "FM:INT:FUNC?", "USER\n"},
           {"FM:STAT ON", "FM:STAT?", "1\n"},
           {"SWE:TIME 500", "SWE:TIME?", Nr3(500)},
           {"FREQ:STAR 0.01", "FREQ:STAR?", Nr3(0.01)},
           {"FREQ:STOP 15000000", "FREQ:STOP?", Nr3(15e6)},
           {"SWE:SPAC LOG", "SWE:SPAC?", "LOG\n"},
           {"SWE:STAT ON", "SWE:STAT?", "1\n"},
           {"TRIG:SOUR TTLT0", "TRIG:SOUR?", "TTLT0\n"},
           {"TRIG:SOUR TTLT7", "TRIG:SOUR?", "TTLT7\n"},
           {"TRIG:SOUR BUS", "TRIG:SOUR?", "BUS\n"},
           {"TRIG:SOUR EXT", "TRIG:SOUR?", "EXT\n"},
           {"TRIG:SLOP NEG", "TRIG:SLOP?", "NEG\n"},
           {"BM:NCYC 50000", "BM:NCYC?", Nr3(50000)},
           {"BM:NCYC INF", "BM:NCYC?", Nr3(9.9e37)},
           {"BM:PHAS -360", "BM:PHAS?", Nr3(-360)},
           {"BM:INT:RATE 50000", "BM:INT:RATE?", Nr3(50e3)},
           {"BM:SOUR EXT", "BM:SOUR?", "EXT\n"},
           {"BM:STAT ON", "BM:STAT?", "1\n"},
           {"FSK:FREQ 15000000", "FSK:FREQ?", Nr3(15e6)},
           {"FSK:INT:RATE 0.01", "FSK:INT:RATE?", Nr3(0.01)},
           {"FSK:SOUR EXT", "FSK:SOUR?", "EXT\n"},
           {"FSK:STAT ON", "FSK:STAT?", "1\n"},
       }) {
    SCOPED_TRACE(c.command);
    tgqsim::Q3207Instrument inst{tgqsim::InstrumentProfile{}};
    inst.Receive(c.command);
    inst.Receive(c.query);
    EXPECT_EQ(inst.TakeOutput(std::string::npos), c.reply);
    EXPECT_TRUE(inst.Errors().Empty());
  }
}

TEST_F(Q3207Commands, HeadersInShortOrLongFormAndAnyCase) {
  Send("SOURCE:FREQUENCY 2000");
  EXPECT_EQ(Ask("sour:freq?"), Nr3(2000));
  Send("FREQuency 3000");
  EXPECT_EQ(Ask(":Frequency?"), Nr3(3000));
  Send("source:voltage:level:immediate:amplitude 1.5");
  EXPECT_EQ(Ask("VOLT?"), Nr3(1.5));
  Send("FSKEY:STATE ON;:TRIGGER:SEQUENCE:SOURCE ttltrg5;:BM:NCYCLES 12");
  EXPECT_EQ(Ask("FSK:STAT?;:TRIG:SOUR?;:BM:NCYC?"), "1;TTLT5;" + Nr3(12));
  Send("func:shape square");
  EXPECT_EQ(Ask("FUNCTION?"), "SQU\n");
  EXPECT_TRUE(Errors().empty());

  Send("FREQU 4000");  // neither form
  Send("SOUR:SOUR:FREQ 4000");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"-113,\"Undefined header\"",
                                                "-113,\"Undefined header\""}));
  EXPECT_EQ(Ask("FREQ?"), Nr3(3000));
}

TEST_F(Q3207Commands, CompoundMessagesFollowTheHeaderPath) {
  Send("AM:DEPT 50;INT:FREQ 200;:FREQ 2000;*CLS;VOLT 1");
  EXPECT_EQ(Ask("AM:DEPT?;INT:FREQ?;:FREQ?;VOLT?"),
            Num(50) + ";" + Num(200) + ";" +
                Num(2000) + ";" + Nr3(1));
  EXPECT_TRUE(Errors().empty());
  // Without the leading colon VOLT would name VOLT:VOLT.
  Send("VOLT:UNIT VPP;VOLT 0.5");
  EXPECT_EQ(Errors(), std::vector<std::string>{"-113,\"Undefined header\""});
  EXPECT_EQ(Ask("VOLT?"), Nr3(1));
}

TEST_F(Q3207Commands, NumbersInEveryDecimalFormAndByName) {
  struct Case {
    const char* command;
    double freq;
  };
  for (Case c : std::vector<Case>{{"FREQ 1.5E3", 1500},
                                  {"FREQ +1500", 1500},
                                  {"FREQ 1500.", 1500},
                                  {"FREQ .0015e6", 1500},
                                  {"FREQ 15e+02", 1500},
                                  {"FREQ 150000E-2", 1500},
                                  {"FREQ MIN", 100e-6},
                                  {"FREQ maximum", 15e6},
                                  {"FREQ DEF", 1000}}) {
    Send("FREQ 1234");
    Send(c.command);
    EXPECT_EQ(Ask("FREQ?"), Nr3(c.freq)) << c.command;
  }
  EXPECT_TRUE(Errors().empty());
  Send("FUNC TRI");
  EXPECT_EQ(Ask("FREQ? MIN;FREQ? MAX"), "+1.00000000000000E-04;" + Nr3(100e3));
  Send("AM:STAT 1;:FM:STAT 0.4");  // booleans as numbers, rounded
  EXPECT_EQ(Ask("AM:STAT?"), "1\n");
}

TEST_F(Q3207Commands, WrongParametersAreRejectedWithTheirErrors) {
  struct Case {
    const char* command;
    const char* error;
  };
  for (Case c : std::vector<Case>{
           {"FUNC SQUA", "-224,\"Illegal parameter value\""},
           {"FUNC 'SIN'", "-104,\"Data type error\""},
           {"FUNC 1", "-104,\"Data type error\""},
           {"AM:SOUR INT", "-224,\"Illegal parameter value\""},
           {"TRIG:SOUR TTLT8", "-224,\"Illegal parameter value\""},
           {"TRIG:SOUR TTLT", "-224,\"Illegal parameter value\""},
           {"FUNC:USER NOPE", "-224,\"Illegal parameter value\""},
           {"VOLT:UNIT VRMS", "-224,\"Illegal parameter value\""},
           {"FREQ HIGH", "-224,\"Illegal parameter value\""},
           {"FREQ 1 KHZ", "-138,\"Suffix not allowed\""},
           {"FREQ", "-109,\"Missing parameter\""},
           {"FREQ 1,2", "-108,\"Parameter not allowed\""},
           {"*RST 1", "-108,\"Parameter not allowed\""},
           {"FREQ 1 2", "-102,\"Syntax error\""},
           {"FREQ 1e", "-102,\"Syntax error\""},
           {"FREQ 'open", "-102,\"Syntax error\""},
           {"FREQ #H10", "-102,\"Syntax error\""},
           {"FREQ:", "-102,\"Syntax error\""},
           {"FREQ?1", "-102,\"Syntax error\""},
           {"FREQ 1000;;FREQ 2", "-102,\"Syntax error\""},
           {"FREQX 1", "-113,\"Undefined header\""},
           {"*RST?", "-113,\"Undefined header\""},
           {"SYST:ERR", "-113,\"Undefined header\""},
           {"FREQ 99E6", "-222,\"Data out of range\""},
           {"FREQ 1e999", "-222,\"Data out of range\""},
       }) {
    Send(c.command);
    EXPECT_EQ(Errors(), std::vector<std::string>{c.error}) << c.command;
  }
  EXPECT_EQ(Ask("FREQ?;FUNC?;FUNC:USER?;:TRIG:SOUR?"), Num(1000) + ";SIN;SINC;IMM\n");
}

TEST_F(Q3207Commands, CommandErrorsDropTheRestOfTheMessageExecutionErrorsDoNot) {
  Send("FREQX 1;FREQ 2000");
  Send("FREQ 99E6;VOLT 1");
  Send("VOLT 2;FREQ 1 2;VOLT 3");
  EXPECT_EQ(Errors(), (std::vector<std::string>{"-113,\"Undefined header\"",
                                                "-222,\"Data out of range\"",
                                                "-102,\"Syntax error\""}));
  EXPECT_EQ(Ask("FREQ?;VOLT?"), Num(1000) + ";" + Nr3(2));
}

TEST_F(Q3207Commands, AtMostOneModeIsOn) {
  const std::vector<std::string> modes{"AM", "FM", "SWE", "BM", "FSK"};
  for (const std::string& on : modes) {
    for (const std::string& other : modes) Send(other + ":STAT ON");
    Send(on + ":STAT ON");
    for (const std::string& mode : modes)
      EXPECT_EQ(Ask(mode + ":STAT?"), mode == on ? "1\n" : "0\n") << on << " then " << mode;
  }
  Send("AM:STAT ON");
  Send("SWE:STAT OFF");
  EXPECT_EQ(Ask("AM:STAT?"), "1\n");
  Send("AM:STAT OFF");
  for (const std::string& mode : modes) EXPECT_EQ(Ask(mode + ":STAT?"), "0\n");
}

TEST_F(Q3207Commands, ResetRestoresPowerOnSettingsButKeepsTheErrorQueue) {
  const std::string powerOn = State();
  Send("FUNC SQU;:FREQ 5E6;:OUTP:LOAD INF;:VOLT 3;:VOLT:OFFS 2;:FUNC:USER EXP_FALL");
  Send("TRIG:SOUR TTLT2;:TRIG:SLOP NEG;:BM:NCYC INF;:BM:STAT ON;:SWE:SPAC LOG");
  Send("AM:INT:FUNC RAMP;:FM:INT:FUNC TRI;:AM:SOUR EXT;:FSK:SOUR EXT;:BM:SOUR EXT");
  Send("FREQ 1E9");
  ASSERT_NE(State(), powerOn);
  Send("*RST");
  std::string state = State();
  EXPECT_NE(state.find("errors=1\n"), std::string::npos);
  state.replace(state.find("errors=1"), 8, "errors=0");
  EXPECT_EQ(state, powerOn);
  EXPECT_EQ(Errors(), std::vector<std::string>{"-222,\"Data out of range\""});
}

TEST_F(Q3207Commands, StateTextReadsBackToTheSameDoubles) {
  Send("FREQ 0.1;:VOLT 0.123456789012345;:BM:NCYC INF;:TRIG:SOUR TTLT7;:OUTP:LOAD INF");
  const std::string state = State();
  EXPECT_NE(state.find("freq=0.10000000000000001\n"), std::string::npos);
  size_t ampl = state.find("ampl=");
  ASSERT_NE(ampl, std::string::npos);
  EXPECT_EQ(std::strtod(state.c_str() + ampl + 5, nullptr), 2 * 0.123456789012345);
  EXPECT_NE(state.find("bm.count=0\n"), std::string::npos);
  EXPECT_NE(state.find("trig.source=10\n"), std::string::npos);
  EXPECT_NE(state.find("load=0\n"), std::string::npos);
}

}  // namespace
