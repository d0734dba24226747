#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "instrument/tests/live_fixture.h"

namespace {

using LiveSettings = LiveInstrumentTest;

struct CSetCase {
  std::function<void(CInstrument&)> m_set;
  const char* m_call;
};

TEST_F(LiveSettings, KeywordSetsComposeTheirCommands) {
  const CSetCase cases[] = {
      {[](CInstrument& i) { i.SetFunc(0); }, "cmd:FUNC SIN"},
      {[](CInstrument& i) { i.SetFunc(4); }, "cmd:FUNC NOISE"},
      {[](CInstrument& i) { i.SetFunc(5); }, "cmd:FUNC USER"},
      {[](CInstrument& i) { i.SetFunc(6); }, "cmd:FUNC DC"},
      {[](CInstrument& i) { i.SetFunc(-1); }, "cmd:FUNC DC"},
      {[](CInstrument& i) { i.SetFmFunc(3); }, "cmd:FM:INT:FUNC RAMP"},
      {[](CInstrument& i) { i.SetFmFunc(5); }, "cmd:FM:INT:FUNC USER"},
      {[](CInstrument& i) { i.SetAmFunc(1); }, "cmd:AM:INT:FUNC SQU"},
      {[](CInstrument& i) { i.SetAmFunc(6); }, "cmd:AM:INT:FUNC USER"},
      {[](CInstrument& i) { i.SetTrigSource(0); }, "cmd:TRIG:SOUR IMM"},
      {[](CInstrument& i) { i.SetTrigSource(1); }, "cmd:TRIG:SOUR EXT"},
      {[](CInstrument& i) { i.SetTrigSource(2); }, "cmd:TRIG:SOUR BUS"},
      {[](CInstrument& i) { i.SetTrigSource(3); }, "cmd:TRIG:SOUR TTLT0"},
      {[](CInstrument& i) { i.SetTrigSource(10); }, "cmd:TRIG:SOUR TTLT7"},
      {[](CInstrument& i) { i.SetAmSource(0); }, "cmd:AM:SOUR BOTH"},
      {[](CInstrument& i) { i.SetAmSource(1); }, "cmd:AM:SOUR EXT"},
      {[](CInstrument& i) { i.SetBmSource(0); }, "cmd:BM:SOUR INT"},
      {[](CInstrument& i) { i.SetFskSource(2); }, "cmd:FSK:SOUR EXT"},
      {[](CInstrument& i) { i.SetSweepSpacing(1); }, "cmd:SWE:SPAC LOG"},
      {[](CInstrument& i) { i.SetSweepSpacing(0); }, "cmd:SWE:SPAC LIN"},
      {[](CInstrument& i) { i.SetTrigSlope(0); }, "cmd:TRIG:SLOP NEG"},
      {[](CInstrument& i) { i.SetTrigSlope(1); }, "cmd:TRIG:SLOP POS"},
      {[](CInstrument& i) { i.SetLoad(1); }, "cmd:OUTP:LOAD 50"},
      {[](CInstrument& i) { i.SetLoad(0); }, "cmd:OUTP:LOAD INF"},
      {[](CInstrument& i) { i.SetAmState(1); }, "cmd:AM:STAT ON"},
      {[](CInstrument& i) { i.SetFmState(0); }, "cmd:FM:STAT OFF"},
      {[](CInstrument& i) { i.SetSweepState(1); }, "cmd:SWE:STAT ON"},
      {[](CInstrument& i) { i.SetBmState(1); }, "cmd:BM:STAT ON"},
      {[](CInstrument& i) { i.SetFskState(0); }, "cmd:FSK:STAT OFF"},
      {[](CInstrument& i) { i.SetUserFunc("ARB_7"); }, "cmd:FUNC:USER ARB_7"},
      {[](CInstrument& i) { i.SetBmCount(0); }, "cmd:BM:NCYC INF"},
      {[](CInstrument& i) { i.SetBmCount(50001); }, "cmd:BM:NCYC INF"},
      {[](CInstrument& i) { i.SetBmCount(-5); }, "cmd:BM:NCYC INF"},
      {[](CInstrument& i) { i.SetBmCount(1); }, "cmdInt:BM:NCYC,1"},
      {[](CInstrument& i) { i.SetBmCount(50000); }, "cmdInt:BM:NCYC,50000"},
  };
  for (const CSetCase& c : cases) {
    m_driver.m_calls.clear();
    c.m_set(*m_instrument);
    EXPECT_EQ(m_driver.m_calls, Calls{c.m_call});
  }
}

TEST_F(LiveSettings, RealSetsPassHeaderAndValue) {
  const CSetCase cases[] = {
      {[](CInstrument& i) { i.SetFreq(2.5e6); }, "cmdReal:FREQ,2500000"},
      {[](CInstrument& i) { i.SetAmpl(0.1); }, "cmdReal:VOLT:UNIT VPP;:VOLT,0.1"},
      {[](CInstrument& i) { i.SetOffset(-2.5); }, "cmdReal:VOLT:OFFS,-2.5"},
      {[](CInstrument& i) { i.SetDutyCycle(20); }, "cmdReal:PULS:DCYC,20"},
      {[](CInstrument& i) { i.SetAmDepth(80); }, "cmdReal:AM:DEPT,80"},
      {[](CInstrument& i) { i.SetAmFreq(440); }, "cmdReal:AM:INT:FREQ,440"},
      {[](CInstrument& i) { i.SetFmFreq(10); }, "cmdReal:FM:INT:FREQ,10"},
      {[](CInstrument& i) { i.SetFmDev(1e3); }, "cmdReal:FM:DEV,1000"},
      {[](CInstrument& i) { i.SetSweepTime(0.5); }, "cmdReal:SWE:TIME,0.5"},
      {[](CInstrument& i) { i.SetStartFreq(50); }, "cmdReal:FREQ:STAR,50"},
      {[](CInstrument& i) { i.SetStopFreq(5e4); }, "cmdReal:FREQ:STOP,50000"},
      {[](CInstrument& i) { i.SetBmPhase(-90); }, "cmdReal:BM:PHAS,-90"},
      {[](CInstrument& i) { i.SetBmRate(200); }, "cmdReal:BM:INT:RATE,200"},
      {[](CInstrument& i) { i.SetFskFreq(3e3); }, "cmdReal:FSK:FREQ,3000"},
      {[](CInstrument& i) { i.SetFskRate(12.5); }, "cmdReal:FSK:INT:RATE,12.5"},
  };
  for (const CSetCase& c : cases) {
    m_driver.m_calls.clear();
    c.m_set(*m_instrument);
    EXPECT_EQ(m_driver.m_calls, Calls{c.m_call});
  }
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 2.5e6);
  EXPECT_DOUBLE_EQ(m_instrument->GetOffset(0), -2.5);
  EXPECT_DOUBLE_EQ(m_instrument->GetFskRate(0), 12.5);
}

TEST_F(LiveSettings, ALongUserNameGoesOutWhole) {
  std::string name(200, 'W');
  m_instrument->SetUserFunc(name);
  EXPECT_EQ(m_driver.m_calls, Calls{"cmd:FUNC:USER " + name});
  std::string text;
  m_instrument->GetUserFunc(text, 0);
  EXPECT_EQ(text, name);
}

TEST_F(LiveSettings, AFailedSetKeepsTheRememberedValue) {
  m_instrument->SetFreq(2e6);
  m_instrument->SetFunc(kFuncSqu);
  m_instrument->SetBmCount(7);
  const int32_t status = static_cast<int32_t>(0xBFFF0067u);
  for (int i = 0; i < 3; ++i) m_driver.Fail(status);
  EXPECT_THROW(m_instrument->SetFreq(3e6), CUserException);
  EXPECT_EQ(m_instrument->GetLastStatus(), status);
  EXPECT_THROW(m_instrument->SetFunc(kFuncTri), CUserException);
  EXPECT_THROW(m_instrument->SetBmCount(9), CUserException);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 2e6);
  EXPECT_EQ(m_instrument->GetFunc(0), kFuncSqu);
  EXPECT_EQ(m_instrument->GetBmCount(0), 7);
  EXPECT_EQ(m_instrument->IsBusy(), 0);
  // A positive status (a warning) is success.
  m_driver.Fail(VI_SUCCESS_MAX_CNT);
  m_instrument->SetFreq(4e6);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 4e6);
}

TEST_F(LiveSettings, LiveSetsLeaveTheOtherModesToTheInstrument) {
  m_instrument->SetAmState(1);
  m_instrument->SetFmState(1);
  EXPECT_EQ(m_instrument->GetAmState(0), 1);
  EXPECT_EQ(m_instrument->GetFmState(0), 1);
}

struct CRealGet {
  std::function<double(CInstrument&, int16_t)> m_get;
  const char* m_query;
};

TEST_F(LiveSettings, RealGetsQueryAndKeepTheReply) {
  const CRealGet cases[] = {
      {[](CInstrument& i, int16_t q) { return i.GetFreq(q); }, "FREQ?"},
      {[](CInstrument& i, int16_t q) { return i.GetAmpl(q); }, "VOLT:UNIT VPP;:VOLT?"},
      {[](CInstrument& i, int16_t q) { return i.GetOffset(q); }, "VOLT:OFFS?"},
      {[](CInstrument& i, int16_t q) { return i.GetDutyCycle(q); }, "PULS:DCYC?"},
      {[](CInstrument& i, int16_t q) { return i.GetAmDepth(q); }, "AM:DEPT?"},
      {[](CInstrument& i, int16_t q) { return i.GetAmFreq(q); }, "AM:INT:FREQ?"},
      {[](CInstrument& i, int16_t q) { return i.GetFmFreq(q); }, "FM:INT:FREQ?"},
      {[](CInstrument& i, int16_t q) { return i.GetFmDev(q); }, "FM:DEV?"},
      {[](CInstrument& i, int16_t q) { return i.GetSweepTime(q); }, "SWE:TIME?"},
      {[](CInstrument& i, int16_t q) { return i.GetStartFreq(q); }, "FREQ:STAR?"},
      {[](CInstrument& i, int16_t q) { return i.GetStopFreq(q); }, "FREQ:STOP?"},
      {[](CInstrument& i, int16_t q) { return i.GetBmPhase(q); }, "BM:PHAS?"},
      {[](CInstrument& i, int16_t q) { return i.GetBmRate(q); }, "BM:INT:RATE?"},
      {[](CInstrument& i, int16_t q) { return i.GetFskFreq(q); }, "FSK:FREQ?"},
      {[](CInstrument& i, int16_t q) { return i.GetFskRate(q); }, "FSK:INT:RATE?"},
  };
  double reply = 1.5;
  for (const CRealGet& c : cases) {
    SCOPED_TRACE(c.m_query);
    m_driver.m_calls.clear();
    m_driver.Answer(Real(reply));
    EXPECT_DOUBLE_EQ(c.m_get(*m_instrument, 1), reply);
    EXPECT_DOUBLE_EQ(c.m_get(*m_instrument, 0), reply);
    EXPECT_EQ(m_driver.m_calls, Calls{std::string("cmdReal64_Q:") + c.m_query});
    reply += 1.0;
  }
}

TEST_F(LiveSettings, AFailedRealGetKeepsWhatTheDriverWrote) {
  m_driver.Answer(CDriverAnswer{VI_ERROR_TMO, "", 123.0});
  EXPECT_THROW(m_instrument->GetFreq(1), CUserException);
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_TMO);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 123.0);
}

TEST_F(LiveSettings, StateGetsQueryIntegers) {
  const std::pair<std::function<int16_t(CInstrument&, int16_t)>, const char*> cases[] = {
      {[](CInstrument& i, int16_t q) { return i.GetAmState(q); }, "AM:STAT?"},
      {[](CInstrument& i, int16_t q) { return i.GetFmState(q); }, "FM:STAT?"},
      {[](CInstrument& i, int16_t q) { return i.GetSweepState(q); }, "SWE:STAT?"},
      {[](CInstrument& i, int16_t q) { return i.GetBmState(q); }, "BM:STAT?"},
      {[](CInstrument& i, int16_t q) { return i.GetFskState(q); }, "FSK:STAT?"},
  };
  for (const auto& [get, query] : cases) {
    SCOPED_TRACE(query);
    m_driver.m_calls.clear();
    m_driver.Answer(Number(1));
    EXPECT_EQ(get(*m_instrument, 1), 1);
    m_driver.Answer(CDriverAnswer{VI_ERROR_IO, "", 0.0, 0});
    EXPECT_THROW(get(*m_instrument, 1), CUserException);
    EXPECT_EQ(get(*m_instrument, 0), 1);
    EXPECT_EQ(m_driver.m_calls, (Calls{std::string("cmdInt16_Q:") + query,
                                       std::string("cmdInt16_Q:") + query}));
  }
}

TEST_F(LiveSettings, LoadAndBurstCountDecodeTheirNumbers) {
  for (auto [ohms, load] : {std::pair<double, int16_t>{50.0, 1}, {75.0, 1}, {75.001, 0},
                            {9.9e37, 0}}) {
    m_driver.Answer(Real(ohms));
    EXPECT_EQ(m_instrument->GetLoad(1), load) << ohms;
  }
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (auto [cycles, count] : {std::pair<double, int32_t>{9.9e37, 0}, {12.0, 12}, {12.9, 12},
                               {50001.0, 50001}, {50001.5, 0}, {-1e300, 0}, {nan, 0}}) {
    m_driver.Answer(Real(cycles));
    EXPECT_EQ(m_instrument->GetBmCount(1), count) << cycles;
  }
  EXPECT_EQ(m_driver.m_calls.front(), "cmdReal64_Q:OUTP:LOAD?");
  EXPECT_EQ(m_driver.m_calls.back(), "cmdReal64_Q:BM:NCYC?");
  m_driver.Answer(CDriverAnswer{VI_ERROR_TMO, "", 9.9e37});
  EXPECT_THROW(m_instrument->GetLoad(1), CUserException);
  EXPECT_EQ(m_instrument->GetLoad(0), 0);
}

struct CKeywordCase {
  std::function<int16_t(CInstrument&, int16_t)> m_get;
  const char* m_query;
  const char* m_reply;
  int16_t m_expected;
};

const std::function<int16_t(CInstrument&, int16_t)> kGetFunc = [](CInstrument& i, int16_t q) {
  return i.GetFunc(q);
};
const std::function<int16_t(CInstrument&, int16_t)> kGetAmFunc =
    [](CInstrument& i, int16_t q) { return i.GetAmFunc(q); };
const std::function<int16_t(CInstrument&, int16_t)> kGetTrigSource =
    [](CInstrument& i, int16_t q) { return i.GetTrigSource(q); };

TEST_F(LiveSettings, TextGetsDecodeTheirKeywords) {
  const CKeywordCase cases[] = {
      {kGetFunc, "FUNC?", "SIN", 0},
      {kGetFunc, "FUNC?", "\"SQU\"", 1},
      {kGetFunc, "FUNC?", "TRI", 2},
      {kGetFunc, "FUNC?", "RAMP", 3},
      {kGetFunc, "FUNC?", "NOIS", 4},
      {kGetFunc, "FUNC?", "USER", 5},
      {kGetFunc, "FUNC?", "DC", 6},
      {[](CInstrument& i, int16_t q) { return i.GetFmFunc(q); }, "FM:INT:FUNC?", "TRI", 2},
      {kGetAmFunc, "AM:INT:FUNC?", "USER\n", 5},
      {kGetTrigSource, "TRIG:SOUR?", "BUS", 2},
      {kGetTrigSource, "TRIG:SOUR?", "EXT", 1},
      {kGetTrigSource, "TRIG:SOUR?", "IMM", 0},
      {kGetTrigSource, "TRIG:SOUR?", "TTLT0", 3},
      {kGetTrigSource, "TRIG:SOUR?", "\"TTLT7\"", 10},
      {[](CInstrument& i, int16_t q) { return i.GetAmSource(q); }, "AM:SOUR?", "EXT", 1},
      {[](CInstrument& i, int16_t q) { return i.GetAmSource(q); }, "AM:SOUR?", "BOTH", 0},
      {[](CInstrument& i, int16_t q) { return i.GetBmSource(q); }, "BM:SOUR?", "EXT", 1},
      {[](CInstrument& i, int16_t q) { return i.GetFskSource(q); }, "FSK:SOUR?", "INT", 0},
      {[](CInstrument& i, int16_t q) { return i.GetTrigSlope(q); }, "TRIG:SLOP?", "NEG", 0},
      {[](CInstrument& i, int16_t q) { return i.GetTrigSlope(q); }, "TRIG:SLOP?", "POS", 1},
      {[](CInstrument& i, int16_t q) { return i.GetSweepSpacing(q); }, "SWE:SPAC?", "LOG", 1},
      {[](CInstrument& i, int16_t q) { return i.GetSweepSpacing(q); }, "SWE:SPAC?", "LIN", 0},
  };
  for (const CKeywordCase& c : cases) {
    SCOPED_TRACE(c.m_reply);
    m_driver.m_calls.clear();
    m_driver.Answer(Text(c.m_reply));
    EXPECT_EQ(c.m_get(*m_instrument, 1), c.m_expected);
    EXPECT_EQ(c.m_get(*m_instrument, 0), c.m_expected);
    EXPECT_EQ(m_driver.m_calls, Calls{std::string("cmdString_Q:") + c.m_query + ",31"});
  }
}

TEST_F(LiveSettings, UnknownKeywordsLeaveTheRememberedValue) {
  const CKeywordCase cases[] = {
      {kGetFunc, "FUNC?", "XYZ", kFuncTri},
      {kGetFunc, "FUNC?", "S", kFuncTri},
      {kGetFunc, "FUNC?", "", kFuncTri},
      {kGetFunc, "FUNC?", "\"", kFuncTri},
      {kGetAmFunc, "AM:INT:FUNC?", "DC", kFuncRamp},
      {kGetTrigSource, "TRIG:SOUR?", "TTL", 4},
      {kGetTrigSource, "TRIG:SOUR?", "TTLTX", 4},
      {kGetTrigSource, "TRIG:SOUR?", "T", 4},
      {[](CInstrument& i, int16_t q) { return i.GetSweepSpacing(q); }, "SWE:SPAC?", "L", 1},
  };
  m_instrument->SetFunc(kFuncTri);
  m_instrument->SetAmFunc(kFuncRamp);
  m_instrument->SetTrigSource(4);
  m_instrument->SetSweepSpacing(1);
  for (const CKeywordCase& c : cases) {
    SCOPED_TRACE(c.m_reply);
    m_driver.Answer(Text(c.m_reply));
    EXPECT_EQ(c.m_get(*m_instrument, 1), c.m_expected);
  }
  m_driver.Answer(CDriverAnswer{VI_ERROR_TMO, "SIN"});
  EXPECT_THROW(m_instrument->GetFunc(1), CUserException);
  EXPECT_EQ(m_instrument->GetFunc(0), kFuncTri);
}

TEST_F(LiveSettings, UserFunctionReply) {
  std::string text;
  m_driver.Answer(Text("ARB1\n"));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, "ARB1");
  m_driver.Answer(Text("ARB2"));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, "ARB2");
  m_driver.Answer(Text("ARB3\x0d"));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, "ARB3");
  m_driver.Answer(Text("ARB4\x0e"));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, "ARB4\x0e");
  // An over-long reply that the driver left unterminated ends at 31 characters.
  m_driver.Answer(Text(std::string(40, 'L')));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, std::string(31, 'L'));
  m_driver.Answer(Text(""));
  m_instrument->GetUserFunc(text, 1);
  EXPECT_EQ(text, "");
  EXPECT_EQ(m_driver.m_calls.back(), "cmdString_Q:FUNC:USER?,31");
  m_instrument->SetUserFunc("SINC");
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->GetUserFunc(text, 1), CUserException);
  m_instrument->GetUserFunc(text, 0);
  EXPECT_EQ(text, "SINC");
}

TEST_F(LiveSettings, GetsWithoutTheQueryFlagSendNothing) {
  std::string text;
  m_instrument->GetFunc(0);
  m_instrument->GetFreq(0);
  m_instrument->GetLoad(0);
  m_instrument->GetBmCount(0);
  m_instrument->GetAmState(0);
  m_instrument->GetTrigSource(0);
  m_instrument->GetUserFunc(text, 0);
  EXPECT_EQ(text, "SINC");
  EXPECT_TRUE(m_driver.m_calls.empty());
}

const Calls kSyncModesQueries = {
    "cmdString_Q:FUNC?,31", "cmdReal64_Q:FREQ?",      "cmdInt16_Q:AM:STAT?",
    "cmdInt16_Q:FM:STAT?",  "cmdInt16_Q:SWE:STAT?",   "cmdInt16_Q:BM:STAT?",
    "cmdInt16_Q:FSK:STAT?"};

TEST_F(LiveSettings, SyncReadsEverySettingInOrder) {
  m_instrument->Sync();
  Calls expected = kSyncModesQueries;
  for (const char* query :
       {"cmdReal64_Q:VOLT:UNIT VPP;:VOLT?", "cmdReal64_Q:VOLT:OFFS?", "cmdReal64_Q:PULS:DCYC?",
        "cmdReal64_Q:OUTP:LOAD?", "cmdString_Q:AM:SOUR?,31", "cmdString_Q:FM:INT:FUNC?,31",
        "cmdString_Q:AM:INT:FUNC?,31", "cmdReal64_Q:FM:INT:FREQ?", "cmdReal64_Q:AM:INT:FREQ?",
        "cmdReal64_Q:FM:DEV?", "cmdReal64_Q:AM:DEPT?", "cmdReal64_Q:SWE:TIME?",
        "cmdReal64_Q:FREQ:STAR?", "cmdReal64_Q:FREQ:STOP?", "cmdString_Q:SWE:SPAC?,31",
        "cmdString_Q:TRIG:SOUR?,31", "cmdString_Q:FUNC:USER?,31", "cmdString_Q:BM:SOUR?,31",
        "cmdReal64_Q:BM:NCYC?", "cmdReal64_Q:BM:PHAS?", "cmdReal64_Q:BM:INT:RATE?",
        "cmdString_Q:TRIG:SLOP?,31", "cmdReal64_Q:FSK:FREQ?", "cmdString_Q:FSK:SOUR?,31",
        "cmdReal64_Q:FSK:INT:RATE?"})
    expected.push_back(query);
  EXPECT_EQ(m_driver.m_calls, expected);
}

TEST_F(LiveSettings, SyncStopsAtTheFirstFailure) {
  m_driver.Answer(Text("SQU"));
  m_driver.Answer(Real(5e5));
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->Sync(), CUserException);
  EXPECT_EQ(m_driver.m_calls, (Calls{kSyncModesQueries.begin(), kSyncModesQueries.begin() + 3}));
  EXPECT_EQ(m_instrument->GetFunc(0), kFuncSqu);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 5e5);
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_TMO);
}

TEST_F(LiveSettings, SyncModesReadsFunctionFrequencyAndTheFiveModes) {
  m_instrument->SetAmState(1);
  m_driver.m_calls.clear();
  m_driver.Answer(Text("RAMP"));
  m_driver.Answer(Real(2e3));
  for (int i = 0; i < 5; ++i) m_driver.Answer(Number(i == 3 ? 1 : 0));
  m_instrument->SyncModes();
  EXPECT_EQ(m_driver.m_calls, kSyncModesQueries);
  EXPECT_EQ(m_instrument->GetAmState(0), 0);
  EXPECT_EQ(m_instrument->GetBmState(0), 1);
  EXPECT_EQ(m_instrument->GetFunc(0), kFuncRamp);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 2e3);
}

}  // namespace
