#include <gtest/gtest.h>

#include "driver/driver_status.h"
#include "driver/tests/driver_fixture.h"

namespace {

class DriverSession : public ::testing::Test {
 protected:
  void SetUp() override { ResetFakeVisa(); }
  ViStatus Init(ViBoolean idQuery, ViBoolean reset) {
    return tgq3207_init(Text("GPIB-VXI0::24::INSTR"), idQuery, reset, &m_vi);
  }
  ViSession m_vi = 12345;
};

TEST_F(DriverSession, InitOpensAndConfiguresTheSession) {
  ASSERT_EQ(Init(VI_FALSE, VI_FALSE), VI_SUCCESS);
  EXPECT_EQ(m_vi, 2u);
  EXPECT_EQ(FakeVisa().m_calls,
            (Calls{"viOpenDefaultRM", "viOpen:GPIB-VXI0::24::INSTR",
                   "viSetAttribute:TMO_VALUE=2000", "viSetAttribute:TERMCHAR=10",
                   "viSetAttribute:TERMCHAR_EN=1"}));
  FakeVisa().m_calls.clear();
  EXPECT_EQ(tgq3207_close(m_vi), VI_SUCCESS);
  EXPECT_EQ(FakeVisa().m_calls, (Calls{"viClose:2", "viClose:1"}));
  EXPECT_TRUE(FakeVisa().m_open.empty());
}

TEST_F(DriverSession, InitWithIdQueryAndResetChecksTheIdentityThenResets) {
  ScriptReply("TARROWS-GIMBELL,Q3207,0,1.0-2.1");
  ASSERT_EQ(Init(VI_TRUE, VI_TRUE), VI_SUCCESS);
  EXPECT_EQ(FakeVisa().m_calls,
            (Calls{"viOpenDefaultRM", "viOpen:GPIB-VXI0::24::INSTR",
                   "viSetAttribute:TMO_VALUE=2000", "viSetAttribute:TERMCHAR=10",
                   "viSetAttribute:TERMCHAR_EN=1", "viWrite:*IDN?\n", "viRead:256",
                   "viWrite:*RST\n", "viWrite:*CLS\n"}));
  tgq3207_close(m_vi);
}

TEST_F(DriverSession, AnotherIdentityFailsAndClosesEverything) {
  ScriptReply("TARROWS-GIMBELL,Q3206,0,1.0");
  EXPECT_EQ(Init(VI_TRUE, VI_FALSE), kStatusFailId);
  EXPECT_EQ(m_vi, static_cast<ViSession>(VI_NULL));
  EXPECT_TRUE(FakeVisa().m_open.empty());
  ResetFakeVisa();
  ScriptReply("tarrows-gimbell,q3207");
  EXPECT_EQ(Init(VI_TRUE, VI_FALSE), kStatusFailId);
}

TEST_F(DriverSession, EveryFailingStepOfInitClosesWhatWasOpened) {
  struct Case {
    const char* function;
    ViStatus status;
  };
  for (Case c : {Case{"viOpenDefaultRM", VI_ERROR_SYSTEM_ERROR},
                 Case{"viOpen", VI_ERROR_RSRC_NFOUND},
                 Case{"viSetAttribute", VI_ERROR_NSUP_ATTR},
                 Case{"viWrite", VI_ERROR_TMO}, Case{"viRead", VI_ERROR_TMO}}) {
    SCOPED_TRACE(c.function);
    ResetFakeVisa();
    FailNext(c.function, c.status);
    m_vi = 77;
    EXPECT_EQ(Init(VI_TRUE, VI_FALSE), c.status);
    EXPECT_EQ(m_vi, static_cast<ViSession>(VI_NULL));
    EXPECT_TRUE(FakeVisa().m_open.empty());
  }
}

TEST_F(DriverSession, ResetFailureAtInitIsReturned) {
  FailNext("viWrite", VI_ERROR_IO);
  EXPECT_EQ(Init(VI_FALSE, VI_TRUE), VI_ERROR_IO);
  EXPECT_TRUE(FakeVisa().m_open.empty());
}

TEST_F(DriverSession, UnknownSessionsAreRefusedWithoutTouchingVisa) {
  ViSession unknown = 999;
  ViInt16 i16 = 0;
  ViInt32 code = 0;
  ViReal64 real = 0;
  char text[TGQ3207_ERROR_MESSAGE_SIZE];
  const ViStatus bad = VI_ERROR_INV_SESSION;
  EXPECT_EQ(tgq3207_timeOut(unknown, 5000), bad);
  EXPECT_EQ(tgq3207_errorQueryDetect(unknown, VI_TRUE), bad);
  EXPECT_EQ(tgq3207_cmd(unknown, Text("*CLS")), bad);
  EXPECT_EQ(tgq3207_cmdInt(unknown, Text("BM:NCYC"), 1), bad);
  EXPECT_EQ(tgq3207_cmdReal(unknown, Text("FREQ"), 1.0), bad);
  EXPECT_EQ(tgq3207_cmdString_Q(unknown, Text("FUNC?"), 31, text), bad);
  EXPECT_EQ(tgq3207_cmdInt16_Q(unknown, Text("AM:STAT?"), &i16), bad);
  EXPECT_EQ(tgq3207_cmdReal64_Q(unknown, Text("FREQ?"), &real), bad);
  EXPECT_EQ(tgq3207_reset(unknown), bad);
  EXPECT_EQ(tgq3207_dcl(unknown), bad);
  EXPECT_EQ(tgq3207_close(unknown), bad);
  EXPECT_EQ(tgq3207_trg(unknown), bad);
  EXPECT_EQ(tgq3207_statEvenClr(unknown), bad);
  EXPECT_EQ(tgq3207_opc_Q(unknown, &i16), bad);
  EXPECT_EQ(tgq3207_readStatusByte_Q(unknown, &i16), bad);
  EXPECT_EQ(tgq3207_self_test(unknown, &i16, text), bad);
  EXPECT_EQ(tgq3207_error_query(unknown, &code, text), bad);
  EXPECT_TRUE(FakeVisa().m_calls.empty());
}

TEST_F(DriverSession, AClosedSessionIsUnknown) {
  ASSERT_EQ(Init(VI_FALSE, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(tgq3207_close(m_vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmd(m_vi, Text("*CLS")), VI_ERROR_INV_SESSION);
  EXPECT_EQ(tgq3207_close(m_vi), VI_ERROR_INV_SESSION);
}

TEST_F(DriverSession, TimeOutSetsTheVisaAttribute) {
  ASSERT_EQ(Init(VI_FALSE, VI_FALSE), VI_SUCCESS);
  FakeVisa().m_calls.clear();
  EXPECT_EQ(tgq3207_timeOut(m_vi, 5000), VI_SUCCESS);
  EXPECT_EQ(FakeVisa().m_calls, Calls{"viSetAttribute:TMO_VALUE=5000"});
  EXPECT_EQ(tgq3207_timeOut(m_vi, -1), VI_ERROR_INV_PARAMETER);
  tgq3207_close(m_vi);
}

}  // namespace
