#include "instrument/live_instrument.h"

#include <gtest/gtest.h>

#include "instrument/error_reporter.h"
#include "instrument/io_log.h"
#include "instrument/tests/live_fixture.h"

namespace {

const Calls kBoundInOrder = {
    "tgq3207_reset",       "tgq3207_error_query", "tgq3207_self_test",
    "tgq3207_readStatusByte_Q", "tgq3207_opc_Q",  "tgq3207_trg",
    "tgq3207_dcl",         "tgq3207_close",       "tgq3207_statEvenClr",
    "tgq3207_cmdReal",     "tgq3207_cmdReal64_Q", "tgq3207_cmdInt",
    "tgq3207_cmdInt16_Q",  "tgq3207_cmd",         "tgq3207_cmdString_Q"};

TEST(LiveInstrumentLifetime, BindsClearsTheDeviceUnderTheWaitCursorAndClosesAtTheEnd) {
  CRecordingPort port;
  CFakeDriver driver;
  {
    CLiveInstrument instrument(CFakeDriver::kSession, &driver);
    EXPECT_EQ(driver.m_lookedUp, kBoundInOrder);
    EXPECT_EQ(driver.m_calls, Calls{"dcl"});
    EXPECT_EQ(port.m_waitRequests, 1);
    EXPECT_EQ(port.m_waitDepth, 0);
    EXPECT_TRUE(port.m_events.empty());
    EXPECT_EQ(instrument.m_live, 1);
    EXPECT_EQ(instrument.m_session, CFakeDriver::kSession);
    EXPECT_EQ(instrument.IsBusy(), 0);
    EXPECT_DOUBLE_EQ(instrument.GetFreq(0), 1000.0);
  }
  EXPECT_EQ(driver.m_calls, (Calls{"dcl", "close"}));
}

TEST(LiveInstrumentLifetime, ADeviceClearThatCannotBeMadeIsReported) {
  CRecordingPort port;
  CFakeDriver driver;
  driver.m_missing = {"tgq3207_dcl", "tgq3207_close"};
  CLiveInstrument instrument(CFakeDriver::kSession, &driver);
  EXPECT_EQ(instrument.GetLastStatus(), kStatusMissingEntryPoint);
  EXPECT_EQ(instrument.IsBusy(), 0);
  EXPECT_EQ(port.m_waitDepth, 0);
  EXPECT_EQ(port.m_events,
            (Events{"timer:stop", "beep", "box:API failure.", "timer:start:1000"}));
  EXPECT_TRUE(driver.m_calls.empty());
}

TEST_F(LiveInstrumentTest, AMissingEntryPointFailsLikeTheDriver) {
  CFakeDriver incomplete;
  incomplete.m_missing = {"tgq3207_cmdReal"};
  CLiveInstrument instrument(CFakeDriver::kSession, &incomplete);
  EXPECT_THROW(instrument.SetFreq(2e6), CUserException);
  EXPECT_EQ(instrument.GetLastStatus(), kStatusMissingEntryPoint);
  EXPECT_DOUBLE_EQ(instrument.GetFreq(0), 1000.0);
  EXPECT_EQ(instrument.IsBusy(), 0);
  EXPECT_EQ(incomplete.m_calls, Calls{"dcl"});
  // The rest of the library still works.
  instrument.SetBmCount(5);
  EXPECT_EQ(incomplete.m_calls.back(), "cmdInt:BM:NCYC,5");
}

TEST_F(LiveInstrumentTest, ACallWhileAnotherRunsIsRefusedAndSendsNothing) {
  bool refused = false;
  int32_t statusInside = 0;
  m_driver.m_duringNextCall = [&] {
    EXPECT_EQ(m_instrument->IsBusy(), 1);
    try {
      m_instrument->SetAmpl(5.0);
    } catch (const CUserException&) {
      refused = true;
      statusInside = m_instrument->GetLastStatus();
    }
  };
  m_instrument->SetFreq(2.5e6);
  EXPECT_TRUE(refused);
  EXPECT_EQ(statusInside, kStatusTooFast);
  EXPECT_EQ(m_driver.m_calls, Calls{"cmdReal:FREQ,2500000"});
  EXPECT_DOUBLE_EQ(m_instrument->GetAmpl(0), 0.1);
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 2.5e6);
  EXPECT_EQ(m_instrument->GetLastStatus(), 0);
  EXPECT_EQ(m_instrument->IsBusy(), 0);
}

TEST_F(LiveInstrumentTest, EveryGuardedOperationIsRefusedWhileBusy) {
  std::vector<std::function<void()>> operations = {
      [&] { m_instrument->GetFunc(1); },       [&] { m_instrument->OpcQuery(); },
      [&] { m_instrument->ReadStatusByte(); }, [&] { m_instrument->ClearStatus(); },
      [&] { m_instrument->Trigger(); },        [&] { m_instrument->Reset(); },
      [&] { std::string t; m_instrument->SelfTest(t); },
      [&] { std::string t; m_instrument->GetPhaseLock(t); },
      [&] { int32_t c; std::string m; m_instrument->ErrorQuery(c, m); },
      [&] { m_instrument->SetBmCount(5); }};
  for (size_t i = 0; i < operations.size(); ++i) {
    SCOPED_TRACE(i);
    int refusals = 0;
    m_driver.m_duringNextCall = [&] {
      try {
        operations[i]();
      } catch (const CUserException&) {
        if (m_instrument->GetLastStatus() == kStatusTooFast) ++refusals;
      }
    };
    m_instrument->ClearStatus();
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(m_driver.m_calls, Calls{"statEvenClr"});
    m_driver.m_calls.clear();
  }
}

TEST_F(LiveInstrumentTest, UtilityOperations) {
  m_driver.Answer(Number(1));
  m_driver.Answer(Number(0x44));
  EXPECT_EQ(m_instrument->OpcQuery(), 1);
  EXPECT_EQ(m_instrument->ReadStatusByte(), 0x44);
  m_instrument->ClearStatus();
  m_instrument->Trigger();
  m_instrument->DeviceClear();
  EXPECT_EQ(m_driver.m_calls, (Calls{"opc_Q", "readStatusByte_Q", "statEvenClr", "trg", "dcl"}));
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->Trigger(), CUserException);
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_TMO);
  EXPECT_EQ(m_instrument->IsBusy(), 0);
}

TEST_F(LiveInstrumentTest, ResetClearsTheDeviceRestoresDefaultsAndResets) {
  m_instrument->SetFreq(5e6);
  m_driver.m_calls.clear();
  m_instrument->Reset();
  EXPECT_EQ(m_driver.m_calls, (Calls{"dcl", "reset"}));
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(0), 1000.0);
  m_driver.Answer(CDriverAnswer{});
  m_driver.Fail(VI_ERROR_IO);
  EXPECT_THROW(m_instrument->Reset(), CUserException);
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_IO);
}

TEST_F(LiveInstrumentTest, SelfTestTextIsCodeCommaBlankMessage) {
  std::string text = "old";
  m_driver.Answer(CDriverAnswer{0, "Self test passed", 0.0, 0});
  m_instrument->SelfTest(text);
  EXPECT_EQ(text, "0, Self test passed");
  m_driver.Answer(CDriverAnswer{0, std::string(300, 'f'), 0.0, -3});
  m_instrument->SelfTest(text);
  EXPECT_EQ(text, "-3, " + std::string(TGQ3207_SELF_TEST_MESSAGE_SIZE - 1, 'f'));
  m_driver.Answer(CDriverAnswer{VI_ERROR_TMO, "Self test passed"});
  EXPECT_THROW(m_instrument->SelfTest(text), CUserException);
  EXPECT_EQ(text, "");
  EXPECT_EQ(m_driver.m_calls, (Calls{"self_test", "self_test", "self_test"}));
}

TEST_F(LiveInstrumentTest, ErrorQueryNeverThrowsForAFailedStatus) {
  int32_t code = 0;
  std::string message = "old";
  m_driver.Answer(CDriverAnswer{0, "Data out of range", 0.0, -222});
  m_instrument->ErrorQuery(code, message);
  EXPECT_EQ(code, -222);
  EXPECT_EQ(message, "Data out of range");
  m_driver.Answer(CDriverAnswer{VI_ERROR_IO, std::string(400, 'e'), 0.0, -100});
  EXPECT_NO_THROW(m_instrument->ErrorQuery(code, message));
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_IO);
  EXPECT_EQ(message, std::string(TGQ3207_ERROR_MESSAGE_SIZE - 1, 'e'));
  EXPECT_EQ(m_instrument->IsBusy(), 0);
  EXPECT_TRUE(m_port.m_events.empty());
  EXPECT_EQ(m_driver.m_calls, (Calls{"error_query", "error_query"}));
}

TEST_F(LiveInstrumentTest, ErrorQueryTimeOutClearsTheDeviceAndSaysSo) {
  int32_t code = 0;
  std::string message;
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_NO_THROW(m_instrument->ErrorQuery(code, message));
  EXPECT_EQ(m_instrument->GetLastStatus(), VI_ERROR_TMO);
  EXPECT_EQ(m_driver.m_calls, (Calls{"error_query", "dcl"}));
  EXPECT_EQ(m_port.m_events, Events{"box:Time Out !"});
}

TEST_F(LiveInstrumentTest, PhaseLock) {
  std::string text;
  m_driver.Answer(Text("0:NONE"));
  m_instrument->GetPhaseLock(text);
  EXPECT_EQ(text, "Not Installed");
  EXPECT_EQ(m_driver.m_calls, Calls{"cmdString_Q:*OPT?,15"});
  m_driver.m_calls.clear();
  m_driver.Answer(Text("0:NONE,1:PLL"));
  m_driver.Answer(Number(0x40));
  m_instrument->GetPhaseLock(text);
  EXPECT_EQ(text, "Unlocked");
  m_driver.Answer(Text("1:PLL"));
  m_driver.Answer(Number(0xBF));
  m_instrument->GetPhaseLock(text);
  EXPECT_EQ(text, "Locked");
  EXPECT_EQ(m_driver.m_calls,
            (Calls{"cmdString_Q:*OPT?,15", "cmdInt16_Q:STAT:QUES:COND?", "cmdString_Q:*OPT?,15",
                   "cmdInt16_Q:STAT:QUES:COND?"}));
  // "1:PLL" beyond the 15 characters of the reply is not seen, also when the
  // driver fills its buffer to the last byte and leaves the NUL out.
  for (const char* options : {"0:NONE,0:NONE,1:PLL", "0:NONE,0:NO1:PLL"}) {
    m_driver.m_calls.clear();
    m_driver.Answer(Text(options));
    m_instrument->GetPhaseLock(text);
    EXPECT_EQ(text, "Not Installed") << options;
    EXPECT_EQ(m_driver.m_calls, Calls{"cmdString_Q:*OPT?,15"}) << options;
  }
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->GetPhaseLock(text), CUserException);
  EXPECT_EQ(text, "");
}

// The record it was made with, without a driver call.
TEST_F(LiveInstrumentTest, DiscoveryRecordAnswersTheAddressQuestions) {
  CLiveInstrument found(CFakeDriver::kSession, &m_driver, CDiscoveryRecord{"GPIB-VXI0::24::INSTR", 3, 24, 3});
  m_driver.m_calls.clear();
  EXPECT_EQ(found.GetAddress(), "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(found.GetSlot(), 3);
  EXPECT_EQ(found.GetLogicalAddress(), 24);
  EXPECT_EQ(found.GetIntfType(), 3);
  EXPECT_TRUE(m_driver.m_calls.empty());
  EXPECT_EQ(m_instrument->GetAddress(), "");
  EXPECT_EQ(m_instrument->GetSlot(), -1);
}


// Every rule of the loss table, and the statuses that never mean a lost link.
TEST(LinkLoss, RulesByStatusAndResourceKind) {
  using K = EResourceKind;
  struct Row {
    int32_t status;
    K kind;
    bool lost;
  };
  const Row rows[] = {
      {VI_ERROR_CONN_LOST, K::kLan, true},     {VI_ERROR_CONN_LOST, K::kVxi, true},
      {VI_ERROR_CONN_LOST, K::kGpibVxi, true}, {VI_ERROR_IO, K::kLan, true},
      {VI_ERROR_IO, K::kGpib, false},          {VI_ERROR_IO, K::kVxi, false},
      {VI_ERROR_NLISTENERS, K::kGpib, true},   {VI_ERROR_NLISTENERS, K::kGpibVxi, true},
      {VI_ERROR_NLISTENERS, K::kVxi, false},   {VI_ERROR_NLISTENERS, K::kLan, false},
      {VI_ERROR_TMO, K::kLan, false},          {VI_ERROR_TMO, K::kVxi, false},
      {VI_ERROR_TMO, K::kGpibVxi, false},      {VI_ERROR_TMO, K::kGpib, false},
      {TGQ3207_INSTR_ERROR_DETECTED, K::kLan, false}, {kStatusTooFast, K::kLan, false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(IsLinkLost(row.status, row.kind), row.lost) << std::hex << row.status << " " << int(row.kind);
  EXPECT_EQ(ResourceKindOf("GPIB-VXI0::24::INSTR", 0), K::kGpibVxi);
  EXPECT_EQ(ResourceKindOf("GPIB0::9::INSTR", 0), K::kGpib);
  EXPECT_EQ(ResourceKindOf("TCPIP0::h::5025::SOCKET", 0), K::kLan);
  EXPECT_EQ(ResourceKindOf("GPIB-VXI0::24::INSTR", VI_INTF_TCPIP), K::kLan);
  EXPECT_EQ(ResourceKindOf("ASRL1::INSTR", 0), K::kOther);
}

// The call that finds the loss fails once, as any failed call; the log gets
// its row; afterwards nothing reaches the driver: a Set is refused without a
// box, a query answers the remembered value, and a new session ends it.
TEST_F(LiveInstrumentTest, ALostLinkStopsEveryCallUntilANewSessionComes) {
  CLiveInstrument lan(CFakeDriver::kSession, &m_driver, CDiscoveryRecord{"TCPIP0::h::5025::SOCKET", -1, -1, 6});
  m_port.m_instrument = &lan;
  m_driver.m_calls.clear();
  lan.SetFreq(2e6);
  m_driver.Fail(VI_ERROR_IO);
  EXPECT_THROW(lan.SetFreq(3e6), CUserException);
  ReportInstrumentError(lan.GetLastStatus());
  ASSERT_FALSE(IoLog().Records().empty());
  EXPECT_EQ(IoLog().Records().back().m_entry, "Connection lost");
  EXPECT_TRUE(lan.IsLinkDown());
  EXPECT_DOUBLE_EQ(lan.GetFreq(1), 2e6);
  EXPECT_THROW(lan.SetFreq(4e6), CUserException);
  ReportInstrumentError(lan.GetLastStatus());
  EXPECT_THROW(lan.Sync(), CUserException);
  EXPECT_EQ(m_driver.m_calls, (Calls{"cmdReal:FREQ,2000000", "cmdReal:FREQ,3000000"}));
  EXPECT_EQ(m_port.m_events, (Events{"timer:stop", "beep", "box:API failure.", "link-down", "timer:start:1000",
                                     "timer:stop", "refused", "link-down", "timer:start:1000"}));
  lan.CloseSession();
  lan.AttachSession(CFakeDriver::kSession);
  m_driver.Answer(Text("TARROWS-GIMBELL,Q3207,7,A.01.00"));
  m_driver.Answer(Number(128));
  EXPECT_EQ(lan.QueryIdentity(), "TARROWS-GIMBELL,Q3207,7,A.01.00");
  EXPECT_EQ(lan.ReadEventStatus(), 128);
  EXPECT_FALSE(lan.IsLinkDown());
  EXPECT_EQ(m_driver.m_calls.back(), "cmdInt16_Q:*ESR?");
  m_port.m_instrument = m_instrument.get();
}

// A time-out leaves the link up, whatever the resource.
TEST_F(LiveInstrumentTest, ATimeOutNeverTakesTheLinkDown) {
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->SetFreq(3e6), CUserException);
  EXPECT_FALSE(m_instrument->IsLinkDown());
  m_driver.Answer(Real(5.0));
  EXPECT_DOUBLE_EQ(m_instrument->GetFreq(1), 5.0);
}

}  // namespace
