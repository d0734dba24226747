#include <cmath>

#include "visa-sim/tests/q3207_test_support.h"

namespace {

using Q3207Limits = Q3207Fixture;

const std::string kOutOfRange = "-222,\"Data out of range\"";

// Just past a limit, on the outside.
double Below(double min) { return min == 0.0 ? -1e-6 : min - std::fabs(min) * 1e-3; }
double Above(double max) { return max + std::fabs(max) * 1e-3; }

std::string Command(const std::string& header, double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%s %.15g", header.c_str(), value);
  return text;
}

TEST(Q3207RangeEdges, EachLimitIsTakenAndTheValueJustPastItIsNot) {
  struct Case {
    const char* header;
    double min;
    double max;
  };
  for (Case c : std::vector<Case>{{"FREQ", 100e-6, 15e6},
                                  {"PULS:DCYC", 20, 80},
                                  {"AM:DEPT", 0, 120},
                                  {"AM:INT:FREQ", 0.01, 20e3},
                                  {"FM:DEV", 0.01, 7.5e6},
                                  {"FM:INT:FREQ", 0.01, 10e3},
                                  {"FREQ:STAR", 0.01, 15e6},
                                  {"FREQ:STOP", 0.01, 15e6},
                                  {"SWE:TIME", 1e-3, 500},
                                  {"BM:PHAS", -360, 360},
                                  {"BM:INT:RATE", 0.01, 50e3},
                                  {"FSK:FREQ", 0.01, 15e6},
                                  {"FSK:INT:RATE", 0.01, 50e3}}) {
    SCOPED_TRACE(c.header);
    tgqsim::Q3207Instrument inst{tgqsim::InstrumentProfile{}};
    const std::string query = std::string(c.header) + "?";
    for (double edge : {c.min, c.max}) {
      inst.Receive(Command(c.header, edge));
      inst.Receive(query);
      EXPECT_EQ(inst.TakeOutput(std::string::npos), Nr3(edge));
    }
    EXPECT_TRUE(inst.Errors().Empty());
    for (double outside : {Below(c.min), Above(c.max)}) {
      inst.Receive(Command(c.header, outside));
      inst.Receive(query);
      EXPECT_EQ(inst.TakeOutput(std::string::npos), Nr3(c.max)) << outside;
      EXPECT_EQ(inst.Errors().Pop().code, -222) << outside;
    }
  }
}

TEST_F(Q3207Limits, FrequencyCeilingDependsOnTheFunction) {
  struct Case {
    const char* func;
    double max;
  };
  for (Case c : std::vector<Case>{{"TRI", 100e3}, {"RAMP", 100e3}, {"USER", 5e6}, {"SQU", 15e6}}) {
    Send(std::string("FUNC ") + c.func);
    Send(Command("FREQ", c.max));
    EXPECT_EQ(Ask("FREQ?"), Nr3(c.max)) << c.func;
    Send(Command("FREQ", Above(c.max)));
    EXPECT_EQ(Errors(), std::vector<std::string>{kOutOfRange}) << c.func;
  }
}

TEST_F(Q3207Limits, FunctionWithALowerCeilingPullsTheFrequencyDown) {
  Send("FREQ 10E6;:FUNC USER");
  EXPECT_EQ(Ask("FREQ?"), Nr3(5e6));
  Send("FUNC TRI");
  EXPECT_EQ(Ask("FUNC?;:FREQ?"), "TRI;" + Nr3(100e3));
  Send("FUNC SIN");  // a higher ceiling leaves the frequency alone
  EXPECT_EQ(Ask("FREQ?"), Nr3(100e3));
  EXPECT_EQ(Errors(), (std::vector<std::string>{"-221,\"Settings conflict\"",
                                                "-221,\"Settings conflict\""}));
}

TEST_F(Q3207Limits, AmplitudeSpanDependsOnTheLoad) {
  for (double ampl : {0.05, 10.0}) {
    Send(Command("VOLT", ampl));
    EXPECT_EQ(Ask("VOLT?"), Nr3(ampl));
  }
  Send("VOLT 0.0499");
  Send("VOLT 10.01");
  EXPECT_EQ(Errors(), (std::vector<std::string>{kOutOfRange, kOutOfRange}));

  Send("VOLT 1;:OUTP:LOAD INF");
  for (double ampl : {0.1, 20.0}) {
    Send(Command("VOLT", ampl));
    EXPECT_EQ(Ask("VOLT?"), Nr3(ampl));
  }
  Send("VOLT 0.0999");
  Send("VOLT 20.02");
  EXPECT_EQ(Errors(), (std::vector<std::string>{kOutOfRange, kOutOfRange}));
  EXPECT_EQ(Ask("VOLT? MIN;VOLT? MAX"), Num(0.1) + ";" + Nr3(20));
}

TEST_F(Q3207Limits, OffsetAndAmplitudeShareThePeakVoltage) {
  Send("VOLT 1;:VOLT:OFFS 4.5");
  EXPECT_EQ(Ask("VOLT:OFFS?"), Nr3(4.5));
  Send("VOLT:OFFS -4.5");
  EXPECT_EQ(Ask("VOLT:OFFS?"), Nr3(-4.5));
  Send("VOLT:OFFS 4.51");
  Send("VOLT 1.1");  // |-4.5| + 0.55 > 5
  EXPECT_EQ(Errors(), (std::vector<std::string>{kOutOfRange, kOutOfRange}));
  EXPECT_EQ(Ask("VOLT?;VOLT:OFFS?"), Num(1) + ";" + Nr3(-4.5));
  EXPECT_EQ(Ask("VOLT? MAX;VOLT:OFFS? MAX"), Num(1) + ";" + Nr3(4.5));

  Send("OUTP:LOAD INF;:VOLT:OFFS 9");  // open output: 10 V peak
  EXPECT_EQ(Ask("VOLT?;VOLT:OFFS?"), Num(2) + ";" + Nr3(9));
  Send("VOLT:OFFS 9.01");
  EXPECT_EQ(Errors(), std::vector<std::string>{kOutOfRange});
}

TEST_F(Q3207Limits, LoadChangeRescalesAmplitudeAndOffset) {
  Send("VOLT 2;:VOLT:OFFS -1");
  Send("OUTP:LOAD INF");
  EXPECT_EQ(Ask("VOLT?;VOLT:OFFS?;:OUTP:LOAD?"), Num(4) + ";" + Num(-2) + ";" + Nr3(9.9e37));
  Send("OUTP:LOAD 9.9E37");  // already open: no second doubling
  EXPECT_EQ(Ask("VOLT?"), Nr3(4));
  Send("OUTP:LOAD 50");
  EXPECT_EQ(Ask("VOLT?;VOLT:OFFS?;:OUTP:LOAD?"), Num(2) + ";" + Num(-1) + ";" + Nr3(50));
  Send("OUTP:LOAD 50");
  EXPECT_EQ(Ask("VOLT?"), Nr3(2));
  Send("OUTP:LOAD 75");
  EXPECT_EQ(Errors(), std::vector<std::string>{kOutOfRange});
  EXPECT_EQ(Ask("OUTP:LOAD?"), Nr3(50));
}

TEST_F(Q3207Limits, BurstCountIsWholeCyclesOrInfinite) {
  Send("BM:NCYC 12.4");
  EXPECT_EQ(Ask("BM:NCYC?"), Nr3(12));
  Send("BM:NCYC 9.9E37");
  EXPECT_EQ(Ask("BM:NCYC?"), Nr3(9.9e37));
  Send("BM:NCYC MAX");
  EXPECT_EQ(Ask("BM:NCYC?"), Nr3(50000));
  Send("BM:NCYC 0.4");
  Send("BM:NCYC 50001");
  EXPECT_EQ(Errors(), (std::vector<std::string>{kOutOfRange, kOutOfRange}));
  EXPECT_EQ(Ask("BM:NCYC?"), Nr3(50000));
}

}  // namespace
