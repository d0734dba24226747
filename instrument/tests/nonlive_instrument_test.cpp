#include "instrument/nonlive_instrument.h"

#include <gtest/gtest.h>

#include "instrument/tests/recording_port.h"

namespace {

TEST(NonLiveInstrument, StartsAtThePowerOnDefaults) {
  CNonLiveInstrument inst;
  std::string user;
  inst.GetUserFunc(user, 1);
  EXPECT_EQ(inst.m_live, 0);
  EXPECT_EQ(inst.GetFunc(1), 0);
  EXPECT_DOUBLE_EQ(inst.GetFreq(1), 1000.0);
  EXPECT_DOUBLE_EQ(inst.GetAmpl(1), 0.1);
  EXPECT_DOUBLE_EQ(inst.GetOffset(1), 0.0);
  EXPECT_DOUBLE_EQ(inst.GetDutyCycle(1), 50.0);
  EXPECT_EQ(inst.GetLoad(1), 1);
  EXPECT_EQ(inst.GetTrigSlope(1), 1);
  EXPECT_EQ(inst.GetBmCount(1), 1);
  EXPECT_DOUBLE_EQ(inst.GetFskRate(1), 10.0);
  EXPECT_DOUBLE_EQ(inst.GetAmDepth(1), 100.0);
  EXPECT_DOUBLE_EQ(inst.GetSweepTime(1), 1.0);
  EXPECT_DOUBLE_EQ(inst.GetStartFreq(1), 100.0);
  EXPECT_DOUBLE_EQ(inst.GetStopFreq(1), 1000.0);
  EXPECT_EQ(user, "SINC");
  for (int16_t mode : {inst.GetAmState(0), inst.GetFmState(0), inst.GetSweepState(0),
                       inst.GetBmState(0), inst.GetFskState(0)})
    EXPECT_EQ(mode, 0);
}

TEST(NonLiveInstrument, UtilityOperationsAnswerWithoutAnInstrument) {
  CRecordingPort port;
  CNonLiveInstrument inst;
  std::string text;
  inst.SelfTest(text);
  EXPECT_EQ(text, "Self Test Passed.");
  int32_t code = -7;
  std::string message;
  inst.ErrorQuery(code, message);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(message, "None");
  inst.GetPhaseLock(text);
  EXPECT_EQ(text, "Unlocked");
  EXPECT_EQ(inst.GetAddress(), "Addr Unknown");
  EXPECT_EQ(inst.GetSlot(), -1);
  EXPECT_EQ(inst.GetLogicalAddress(), -1);
  EXPECT_EQ(inst.GetIntfType(), 0);
  EXPECT_EQ(inst.GetLastStatus(), 0);
  EXPECT_EQ(inst.IsBusy(), 0);
  EXPECT_EQ(inst.ReadStatusByte(), 0);
  EXPECT_EQ(inst.OpcQuery(), 0);
  EXPECT_TRUE(port.m_events.empty());
}

TEST(NonLiveInstrument, QueryFlagDoesNotMatter) {
  CNonLiveInstrument inst;
  inst.SetFreq(2.5e6);
  EXPECT_DOUBLE_EQ(inst.GetFreq(1), 2.5e6);
  EXPECT_DOUBLE_EQ(inst.GetFreq(0), 2.5e6);
}

TEST(ModeExclusion, SwitchingOneModeOnSwitchesTheOthersOff) {
  CNonLiveInstrument inst;
  inst.SetFmState(1);
  inst.SetAmState(1);
  EXPECT_EQ(inst.GetFmState(0), 0);
  EXPECT_EQ(inst.GetAmState(0), 1);
  inst.SetAmState(0);
  EXPECT_EQ(inst.GetAmState(0) | inst.GetFmState(0) | inst.GetSweepState(0) |
                inst.GetBmState(0) | inst.GetFskState(0),
            0);
}

TEST(ModeExclusion, EachModeClearsTheOtherFour) {
  CNonLiveInstrument inst;
  void (CInstrument::*setters[])(int16_t) = {&CInstrument::SetAmState, &CInstrument::SetFmState,
                                             &CInstrument::SetSweepState, &CInstrument::SetBmState,
                                             &CInstrument::SetFskState};
  for (auto on : setters) {
    for (auto other : setters) (inst.*other)(0);
    for (auto other : setters)
      if (other != on) {
        (inst.*other)(1);
        (inst.*on)(1);
        EXPECT_EQ(inst.m_amState + inst.m_fmState + inst.m_sweepState + inst.m_bmState +
                      inst.m_fskState,
                  1);
      }
  }
  inst.SetBmState(1);
  EXPECT_EQ(inst.m_bmState, 1);
  EXPECT_EQ(inst.m_fskState | inst.m_sweepState | inst.m_fmState | inst.m_amState, 0);
}

TEST(ModeExclusion, SwitchingAModeOffLeavesTheOthers) {
  CNonLiveInstrument inst;
  inst.SetAmState(1);
  inst.SetSweepState(0);
  EXPECT_EQ(inst.GetAmState(0), 1);
  inst.SetBmState(7);
  EXPECT_EQ(inst.GetBmState(0), 7);
  EXPECT_EQ(inst.GetAmState(0), 0);
}

TEST(NonLiveInstrument, ResetRestoresEveryDefault) {
  CNonLiveInstrument inst;
  inst.SetFreq(5.0);
  inst.SetAmpl(3.0);
  inst.SetLoad(0);
  inst.SetUserFunc("CARDIAC");
  inst.SetBmCount(77);
  inst.SetTrigSource(9);
  inst.SetFskState(1);
  inst.m_session = 42;
  inst.Reset();
  std::string user;
  inst.GetUserFunc(user, 0);
  EXPECT_EQ(user, "SINC");
  EXPECT_DOUBLE_EQ(inst.GetFreq(0), 1000.0);
  EXPECT_DOUBLE_EQ(inst.GetAmpl(0), 0.1);
  EXPECT_EQ(inst.GetLoad(0), 1);
  EXPECT_EQ(inst.GetBmCount(0), 1);
  EXPECT_EQ(inst.GetTrigSource(0), 0);
  EXPECT_EQ(inst.GetFskState(0), 0);
  EXPECT_EQ(inst.m_session, 42u);
}

}  // namespace
