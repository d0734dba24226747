#include "visa-sim/tests/q3207_test_support.h"

namespace {

using Q3207Replies = Q3207Fixture;

TEST_F(Q3207Replies, PowerOnStateIsThePanelsDefaultState) {
  EXPECT_EQ(State(),
            "func=0\nfreq=1000\nampl=0.10000000000000001\noffset=0\ndcyc=50\nload=1\nuser=SINC\n"
            "am.depth=100\nam.freq=100\nam.func=0\nam.source=0\nam.state=0\n"
            "fm.dev=100\nfm.freq=100\nfm.func=0\nfm.state=0\n"
            "swe.start=100\nswe.stop=1000\nswe.time=1\nswe.spacing=0\nswe.state=0\n"
            "trig.source=0\ntrig.slope=1\n"
            "bm.count=1\nbm.phase=0\nbm.rate=100\nbm.source=0\nbm.state=0\n"
            "fsk.freq=100\nfsk.rate=10\nfsk.source=0\nfsk.state=0\nerrors=0\ntriggers=0\n");
}

TEST_F(Q3207Replies, QueriesAnswerInTheInstrumentsFormats) {
  struct Case {
    const char* query;
    const char* reply;
  };
  for (Case c : std::vector<Case>{
           {"FREQ?", "+1.00000000000000E+03\n"},
           {"VOLT:UNIT VPP;:VOLT?", "+1.00000000000000E-01\n"},
           {"VOLT:OFFS?", "+0.00000000000000E+00\n"},
           {"PULS:DCYC?", "+5.00000000000000E+01\n"},
           {"OUTP:LOAD?", "+5.00000000000000E+01\n"},
           {"BM:NCYC?", "+1.00000000000000E+00\n"},
           {"BM:PHAS?", "+0.00000000000000E+00\n"},
           {"FSK:INT:RATE?", "+1.00000000000000E+01\n"},
           {"FUNC?", "SIN\n"},
           {"FUNC:USER?", "SINC\n"},
           {"AM:INT:FUNC?", "SIN\n"},
           {"AM:SOUR?", "BOTH\n"},
           {"BM:SOUR?", "INT\n"},
           {"FSK:SOUR?", "INT\n"},
           {"SWE:SPAC?", "LIN\n"},
           {"TRIG:SOUR?", "IMM\n"},
           {"TRIG:SLOP?", "POS\n"},
           {"AM:STAT?", "0\n"},
           {"FSK:STAT?", "0\n"},
           {"*IDN?", "TARROWS-GIMBELL,Q3207,0,A.01.00\n"},
           {"*OPT?", "1:PLL\n"},
           {"*TST?", "0\n"},
           {"*OPC?", "1\n"},
           {"*STB?", "0\n"},
           {"*ESR?", "0\n"},
           {"STAT:QUES:COND?", "0\n"},
           {"SYST:ERR?", "0,\"No error\"\n"},
           {"FREQ?;VOLT?;FUNC?", "+1.00000000000000E+03;+1.00000000000000E-01;SIN\n"},
       }) {
    EXPECT_EQ(Ask(c.query), c.reply) << c.query;
  }
}

TEST_F(Q3207Replies, NumbersKeepFifteenDigitsAndTwoDigitExponents) {
  EXPECT_EQ(tgqsim::FormatNumber(9.9e37), "+9.90000000000000E+37");
  EXPECT_EQ(tgqsim::FormatNumber(-360.0), "-3.60000000000000E+02");
  EXPECT_EQ(tgqsim::FormatNumber(1e-4), "+1.00000000000000E-04");
  EXPECT_EQ(tgqsim::FormatNumber(1.0 / 3.0), "+3.33333333333333E-01");
  EXPECT_EQ(tgqsim::FormatNumber(1e100), "+1.00000000000000E+100");
}

TEST(Q3207Profile, ConfiguredIdentityOptionsSelfTestAndPll) {
  tgqsim::InstrumentProfile profile;
  profile.identification = "TARROWS-GIMBELL,Q3207,1234,B.02.00";
  profile.options = "";
  profile.selfTestCode = 3;
  profile.pllLocked = false;
  tgqsim::Q3207Instrument inst(profile);
  inst.Receive("*IDN?;*OPT?;*TST?;STAT:QUES:COND?");
  EXPECT_EQ(inst.TakeOutput(std::string::npos), "TARROWS-GIMBELL,Q3207,1234,B.02.00;0;3;64\n");
}

}  // namespace
