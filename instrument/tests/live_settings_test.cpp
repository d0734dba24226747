#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>

#include "instrument/setting_table.h"
#include "instrument/tests/live_fixture.h"

namespace {

using LiveSettings = LiveInstrumentTest;
using S = ESetting;

// Every setting's query, in the order of Sync, which is that of ESetting:
// words and names come back as text, the mode states as 16-bit numbers, every
// other setting as a real.
const Calls kQueries = {
    "cmdString_Q:FUNC?,31",        "cmdReal64_Q:FREQ?",          "cmdInt16_Q:AM:STAT?",
    "cmdInt16_Q:FM:STAT?",         "cmdInt16_Q:SWE:STAT?",       "cmdInt16_Q:BM:STAT?",
    "cmdInt16_Q:FSK:STAT?",        "cmdReal64_Q:VOLT:UNIT VPP;:VOLT?",
    "cmdReal64_Q:VOLT:OFFS?",      "cmdReal64_Q:PULS:DCYC?",     "cmdReal64_Q:OUTP:LOAD?",
    "cmdString_Q:AM:SOUR?,31",     "cmdString_Q:FM:INT:FUNC?,31", "cmdString_Q:AM:INT:FUNC?,31",
    "cmdReal64_Q:FM:INT:FREQ?",    "cmdReal64_Q:AM:INT:FREQ?",   "cmdReal64_Q:FM:DEV?",
    "cmdReal64_Q:AM:DEPT?",        "cmdReal64_Q:SWE:TIME?",      "cmdReal64_Q:FREQ:STAR?",
    "cmdReal64_Q:FREQ:STOP?",      "cmdString_Q:SWE:SPAC?,31",   "cmdString_Q:TRIG:SOUR?,31",
    "cmdString_Q:FUNC:USER?,31",   "cmdString_Q:BM:SOUR?,31",    "cmdReal64_Q:BM:NCYC?",
    "cmdReal64_Q:BM:PHAS?",        "cmdReal64_Q:BM:INT:RATE?",   "cmdString_Q:TRIG:SLOP?,31",
    "cmdReal64_Q:FSK:FREQ?",       "cmdString_Q:FSK:SOUR?,31",   "cmdReal64_Q:FSK:INT:RATE?"};
std::string Query(ESetting setting) { return kQueries.at(static_cast<size_t>(setting)); }
const Calls kSyncModesQueries(kQueries.begin(), kQueries.begin() + 7);

double Remembered(const CInstrument& instrument, ESetting setting) {
  return instrument.Remembered(SettingRow(setting)).m_number;
}

// Written out whole, apart from the table, so that a wrong header in the table
// is caught.
TEST_F(LiveSettings, CommandTextsAreTheInstrumentsOwn) {
  std::string name;
  m_instrument->SetFreq(2.5e6);
  m_instrument->SetAmpl(0.1);
  m_instrument->SetOffset(-2.5);
  m_instrument->SetFunc(kFuncSin);
  m_instrument->SetTrigSource(10);
  m_instrument->SetBmCount(50000);
  m_driver.Answer(Real(1));
  m_instrument->GetAmpl(1);
  m_driver.Answer(Number(1));
  m_instrument->GetFskState(1);
  m_driver.Answer(Text("SINC"));
  m_instrument->GetUserFunc(name, 1);
  EXPECT_EQ(m_driver.m_calls,
            (Calls{"cmdReal:FREQ,2500000", "cmdReal:VOLT:UNIT VPP;:VOLT,0.1",
                   "cmdReal:VOLT:OFFS,-2.5", "cmd:FUNC SIN", "cmd:TRIG:SOUR TTLT7",
                   "cmdInt:BM:NCYC,50000", "cmdReal64_Q:VOLT:UNIT VPP;:VOLT?",
                   "cmdInt16_Q:FSK:STAT?", "cmdString_Q:FUNC:USER?,31"}));
}

struct CWordCase {
  ESetting m_setting;
  double m_value;
  const char* m_command;
};

TEST_F(LiveSettings, ChoiceSetsSendTheirWord) {
  const CWordCase cases[] = {
      {S::kFunc, 0, "FUNC SIN"},             {S::kFunc, 4, "FUNC NOISE"},
      {S::kFunc, 5, "FUNC USER"},            {S::kFunc, 6, "FUNC DC"},
      {S::kFunc, -1, "FUNC DC"},             {S::kFmFunc, 3, "FM:INT:FUNC RAMP"},
      {S::kFmFunc, 5, "FM:INT:FUNC USER"},   {S::kAmFunc, 1, "AM:INT:FUNC SQU"},
      {S::kAmFunc, 6, "AM:INT:FUNC USER"},   {S::kTrigSource, 0, "TRIG:SOUR IMM"},
      {S::kTrigSource, 1, "TRIG:SOUR EXT"},  {S::kTrigSource, 2, "TRIG:SOUR BUS"},
      {S::kTrigSource, 3, "TRIG:SOUR TTLT0"}, {S::kAmSource, 0, "AM:SOUR BOTH"},
      {S::kAmSource, 1, "AM:SOUR EXT"},      {S::kBmSource, 0, "BM:SOUR INT"},
      {S::kFskSource, 2, "FSK:SOUR EXT"},    {S::kSweepSpacing, 1, "SWE:SPAC LOG"},
      {S::kSweepSpacing, 0, "SWE:SPAC LIN"}, {S::kTrigSlope, 0, "TRIG:SLOP NEG"},
      {S::kTrigSlope, 1, "TRIG:SLOP POS"},   {S::kLoad, 1, "OUTP:LOAD 50"},
      {S::kLoad, 0, "OUTP:LOAD INF"},        {S::kAmState, 1, "AM:STAT ON"},
      {S::kFmState, 0, "FM:STAT OFF"},       {S::kSweepState, 1, "SWE:STAT ON"},
      {S::kBmState, 1, "BM:STAT ON"},        {S::kFskState, 0, "FSK:STAT OFF"},
      {S::kBmCount, 0, "BM:NCYC INF"},       {S::kBmCount, 50001, "BM:NCYC INF"},
      {S::kBmCount, -5, "BM:NCYC INF"},
  };
  for (const CWordCase& c : cases) {
    m_driver.m_calls.clear();
    m_instrument->SetSetting(SettingRow(c.m_setting), {c.m_value, {}});
    EXPECT_EQ(m_driver.m_calls, Calls{std::string("cmd:") + c.m_command});
  }
  m_driver.m_calls.clear();
  m_instrument->SetBmCount(1);
  EXPECT_EQ(m_driver.m_calls, Calls{"cmdInt:BM:NCYC,1"});
  // A list whose other code has no word of its own gives none, and returns.
  const CChoiceWord onlyOn[] = {{1, "ON"}};
  EXPECT_EQ(ChoiceWord({onlyOn, 1, 0}, 0), "");
  EXPECT_EQ(ChoiceWord({onlyOn, 1, 0}, 1), "ON");
}

TEST_F(LiveSettings, RealSetsPassHeaderAndValueAndKeepIt) {
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& row = kSettingTable[i];
    if (row.m_kind != ESettingKind::kReal) continue;
    SCOPED_TRACE(row.m_header);
    m_driver.m_calls.clear();
    m_instrument->SetSetting(row, {12.5, {}});
    EXPECT_EQ(m_driver.m_calls, Calls{std::string("cmdReal:") + row.m_header + ",12.5"});
    EXPECT_DOUBLE_EQ(m_instrument->Remembered(row).m_number, 12.5);
  }
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

TEST_F(LiveSettings, RealGetsQueryAndKeepTheReply) {
  double reply = 1.5;
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& row = kSettingTable[i];
    if (row.m_kind != ESettingKind::kReal) continue;
    SCOPED_TRACE(row.m_header);
    m_driver.m_calls.clear();
    m_driver.Answer(Real(reply));
    m_instrument->GetSetting(row, 1);
    EXPECT_DOUBLE_EQ(m_instrument->Remembered(row).m_number, reply);
    EXPECT_EQ(m_driver.m_calls, Calls{std::string("cmdReal64_Q:") + row.m_header + "?"});
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
  for (ESetting state : {S::kAmState, S::kFmState, S::kSweepState, S::kBmState, S::kFskState}) {
    const CSetting& row = SettingRow(state);
    SCOPED_TRACE(row.m_header);
    m_driver.m_calls.clear();
    m_driver.Answer(Number(1));
    m_instrument->GetSetting(row, 1);
    EXPECT_EQ(Remembered(*m_instrument, state), 1);
    m_driver.Answer(CDriverAnswer{VI_ERROR_IO, "", 0.0, 0});
    EXPECT_THROW(m_instrument->GetSetting(row, 1), CUserException);
    EXPECT_EQ(Remembered(*m_instrument, state), 1);
    EXPECT_EQ(m_driver.m_calls, (Calls{Query(state), Query(state)}));
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
  ESetting m_setting;
  const char* m_reply;
  int16_t m_expected;
};

TEST_F(LiveSettings, TextGetsDecodeTheirKeywords) {
  const CKeywordCase cases[] = {
      {S::kFunc, "SIN", 0},           {S::kFunc, "\"SQU\"", 1},       {S::kFunc, "TRI", 2},
      {S::kFunc, "RAMP", 3},          {S::kFunc, "NOIS", 4},          {S::kFunc, "USER", 5},
      {S::kFunc, "DC", 6},            {S::kFmFunc, "TRI", 2},         {S::kAmFunc, "USER\n", 5},
      {S::kTrigSource, "BUS", 2},     {S::kTrigSource, "EXT", 1},     {S::kTrigSource, "IMM", 0},
      {S::kTrigSource, "TTLT0", 3},   {S::kTrigSource, "\"TTLT7\"", 10},
      {S::kAmSource, "EXT", 1},       {S::kAmSource, "BOTH", 0},      {S::kBmSource, "EXT", 1},
      {S::kFskSource, "INT", 0},      {S::kTrigSlope, "NEG", 0},      {S::kTrigSlope, "POS", 1},
      {S::kSweepSpacing, "LOG", 1},   {S::kSweepSpacing, "LIN", 0},
  };
  for (const CKeywordCase& c : cases) {
    SCOPED_TRACE(c.m_reply);
    m_driver.m_calls.clear();
    m_driver.Answer(Text(c.m_reply));
    m_instrument->GetSetting(SettingRow(c.m_setting), 1);
    EXPECT_EQ(Remembered(*m_instrument, c.m_setting), c.m_expected);
    EXPECT_EQ(m_driver.m_calls, Calls{Query(c.m_setting)});
  }
}

TEST_F(LiveSettings, UnknownKeywordsLeaveTheRememberedValue) {
  const CKeywordCase cases[] = {
      {S::kFunc, "XYZ", kFuncTri},  {S::kFunc, "S", kFuncTri},      {S::kFunc, "", kFuncTri},
      {S::kFunc, "\"", kFuncTri},   {S::kAmFunc, "DC", kFuncRamp},  {S::kTrigSource, "TTL", 4},
      {S::kTrigSource, "TTLTX", 4}, {S::kTrigSource, "T", 4},       {S::kSweepSpacing, "L", 1},
  };
  m_instrument->SetFunc(kFuncTri);
  m_instrument->SetAmFunc(kFuncRamp);
  m_instrument->SetTrigSource(4);
  m_instrument->SetSweepSpacing(1);
  for (const CKeywordCase& c : cases) {
    SCOPED_TRACE(c.m_reply);
    m_driver.Answer(Text(c.m_reply));
    m_instrument->GetSetting(SettingRow(c.m_setting), 1);
    EXPECT_EQ(Remembered(*m_instrument, c.m_setting), c.m_expected);
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

TEST_F(LiveSettings, SyncReadsEverySettingInOrder) {
  m_instrument->Sync();
  EXPECT_EQ(m_driver.m_calls, kQueries);
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
