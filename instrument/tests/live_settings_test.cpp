#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <string>
#include <utility>

#include "instrument/setting_table.h"
#include "instrument/tests/live_fixture.h"

namespace {

using LiveSettings = LiveInstrumentTest;
using S = ESetting;

std::string Header(ESetting setting) { return SettingRow(setting).m_header; }

// The driver call of a setting's query: words and names come back as text,
// the mode states as 16-bit numbers, every other setting as a real.
std::string QueryCall(const CSetting& row) {
  std::string query = std::string(row.m_header) + "?";
  if (row.m_reply == EReplyForm::kKeyword || row.m_reply == EReplyForm::kText)
    return "cmdString_Q:" + query + ",31";
  if (row.m_kind == ESettingKind::kChoice && row.m_reply == EReplyForm::kNumber)
    return "cmdInt16_Q:" + query;
  return "cmdReal64_Q:" + query;
}
std::string QueryCall(ESetting setting) { return QueryCall(SettingRow(setting)); }

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
  const char* m_word;
};

TEST_F(LiveSettings, ChoiceSetsSendTheirWord) {
  const CWordCase cases[] = {
      {S::kFunc, 0, "SIN"},          {S::kFunc, 4, "NOISE"},         {S::kFunc, 5, "USER"},
      {S::kFunc, 6, "DC"},           {S::kFunc, -1, "DC"},           {S::kFmFunc, 3, "RAMP"},
      {S::kFmFunc, 5, "USER"},       {S::kAmFunc, 1, "SQU"},         {S::kAmFunc, 6, "USER"},
      {S::kTrigSource, 0, "IMM"},    {S::kTrigSource, 1, "EXT"},     {S::kTrigSource, 2, "BUS"},
      {S::kTrigSource, 3, "TTLT0"},  {S::kAmSource, 0, "BOTH"},      {S::kAmSource, 1, "EXT"},
      {S::kBmSource, 0, "INT"},      {S::kFskSource, 2, "EXT"},      {S::kSweepSpacing, 1, "LOG"},
      {S::kSweepSpacing, 0, "LIN"},  {S::kTrigSlope, 0, "NEG"},      {S::kTrigSlope, 1, "POS"},
      {S::kLoad, 1, "50"},           {S::kLoad, 0, "INF"},           {S::kAmState, 1, "ON"},
      {S::kFmState, 0, "OFF"},       {S::kSweepState, 1, "ON"},      {S::kBmState, 1, "ON"},
      {S::kFskState, 0, "OFF"},      {S::kBmCount, 0, "INF"},        {S::kBmCount, 50001, "INF"},
      {S::kBmCount, -5, "INF"},
  };
  for (const CWordCase& c : cases) {
    m_driver.m_calls.clear();
    m_instrument->SetSetting(SettingRow(c.m_setting), {c.m_value, {}});
    EXPECT_EQ(m_driver.m_calls, Calls{"cmd:" + Header(c.m_setting) + " " + c.m_word});
  }
  m_driver.m_calls.clear();
  m_instrument->SetBmCount(1);
  EXPECT_EQ(m_driver.m_calls, Calls{"cmdInt:" + Header(S::kBmCount) + ",1"});
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
  EXPECT_EQ(m_driver.m_calls, Calls{"cmd:" + Header(S::kUserFunc) + " " + name});
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
    std::string query = std::string("cmdInt16_Q:") + row.m_header + "?";
    EXPECT_EQ(m_driver.m_calls, (Calls{query, query}));
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
  EXPECT_EQ(m_driver.m_calls.front(), "cmdReal64_Q:" + Header(S::kLoad) + "?");
  EXPECT_EQ(m_driver.m_calls.back(), "cmdReal64_Q:" + Header(S::kBmCount) + "?");
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
    EXPECT_EQ(m_driver.m_calls, Calls{QueryCall(c.m_setting)});
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
  EXPECT_EQ(m_driver.m_calls.back(), QueryCall(S::kUserFunc));
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

Calls QueryCalls(std::initializer_list<ESetting> settings) {
  Calls calls;
  for (ESetting setting : settings) calls.push_back(QueryCall(setting));
  return calls;
}

const Calls kSyncModesQueries = QueryCalls({S::kFunc, S::kFreq, S::kAmState, S::kFmState,
                                            S::kSweepState, S::kBmState, S::kFskState});

TEST_F(LiveSettings, SyncReadsEverySettingInOrder) {
  m_instrument->Sync();
  Calls expected = kSyncModesQueries;
  for (const std::string& query : QueryCalls(
           {S::kAmpl, S::kOffset, S::kDutyCycle, S::kLoad, S::kAmSource, S::kFmFunc, S::kAmFunc,
            S::kFmFreq, S::kAmFreq, S::kFmDev, S::kAmDepth, S::kSweepTime, S::kStartFreq,
            S::kStopFreq, S::kSweepSpacing, S::kTrigSource, S::kUserFunc, S::kBmSource,
            S::kBmCount, S::kBmPhase, S::kBmRate, S::kTrigSlope, S::kFskFreq, S::kFskSource,
            S::kFskRate}))
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
