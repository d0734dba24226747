#include "instrument/error_reporter.h"

#include <gtest/gtest.h>

#include <deque>

#include "instrument/instrument.h"
#include "instrument/tests/recording_port.h"
#include "instrument/user_exception.h"
#include "tgq3207.h"

namespace {

struct CQueueEntry {
  int32_t m_code;
  std::string m_message;
  int32_t m_status = 0;
};

// An instrument whose error queue is scripted; its device clears show up in
// the port's events as "dcl".
class CScriptedInstrument : public CInstrument {
 public:
  explicit CScriptedInstrument(CRecordingPort& port) : m_port(port) {}
  void DeviceClear() override {
    m_port.m_events.push_back("dcl");
    if (m_clearThrows) ThrowUserException();
  }
  void ErrorQuery(int32_t& code, std::string& message) override {
    ++m_queries;
    if (m_queryThrows) ThrowUserException();
    CQueueEntry entry{0, ""};
    if (!m_queue.empty()) {
      entry = m_queue.front();
      if (!m_endless) m_queue.pop_front();
    }
    code = entry.m_code;
    message = entry.m_message;
    m_lastStatus = entry.m_status;
  }
  int32_t GetLastStatus() override { return m_lastStatus; }

  std::deque<CQueueEntry> m_queue;
  bool m_endless = false;
  bool m_clearThrows = false;
  bool m_queryThrows = false;
  int m_queries = 0;

 private:
  CRecordingPort& m_port;
  int32_t m_lastStatus = 0;
};

class ErrorReporter : public ::testing::Test {
 protected:
  ErrorReporter() : m_instrument(m_port) { m_port.m_instrument = &m_instrument; }
  CRecordingPort m_port;
  CScriptedInstrument m_instrument;
};

using Events = std::vector<std::string>;

TEST_F(ErrorReporter, TooFastShowsOneBoxWithoutBeepOrClear) {
  ReportInstrumentError(kStatusTooFast);
  EXPECT_EQ(m_port.m_events,
            (Events{"timer:stop", "box:I/O requests too fast.", "timer:start:1000"}));
}

TEST_F(ErrorReporter, InstrumentErrorsAreDrainedOneBoxEach) {
  m_instrument.m_queue = {{-222, "Data out of range"}, {-113, "Undefined header"}};
  ReportInstrumentError(TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(m_port.m_events,
            (Events{"timer:stop", "dcl", "beep",
                    "box:Instrument reports error: -222  Data out of range", "beep",
                    "box:Instrument reports error: -113  Undefined header",
                    "timer:start:1000"}));
  EXPECT_EQ(m_instrument.m_queries, 3);
}

TEST_F(ErrorReporter, AnInstrumentErrorTextIsCutAt259Characters) {
  m_instrument.m_queue = {{-350, std::string(300, 'q')}};
  ReportInstrumentError(TGQ3207_INSTR_ERROR_DETECTED);
  ASSERT_EQ(m_port.m_boxes.size(), 1u);
  std::string prefix = "Instrument reports error: -350  ";
  EXPECT_EQ(m_port.m_boxes[0], prefix + std::string(259 - prefix.size(), 'q'));
}

TEST_F(ErrorReporter, AQueueThatNeverEmptiesShowsAtMostFiftyBoxes) {
  m_instrument.m_queue = {{-350, "Queue overflow"}};
  m_instrument.m_endless = true;
  ReportInstrumentError(TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(m_port.m_boxes.size(), 50u);
  EXPECT_EQ(m_port.m_events.back(), "timer:start:1000");
}

TEST_F(ErrorReporter, AFailingErrorQueryEndsTheLoop) {
  m_instrument.m_queue = {{-222, "Data out of range"}, {-1, "", VI_ERROR_IO}, {-113, "x"}};
  ReportInstrumentError(TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(m_port.m_boxes, Events{"Instrument reports error: -222  Data out of range"});
  EXPECT_EQ(m_instrument.m_queries, 2);

  m_port.m_events.clear();
  m_instrument.m_queryThrows = true;
  m_instrument.m_clearThrows = true;
  ReportInstrumentError(TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(m_port.m_events, (Events{"timer:stop", "dcl", "timer:start:1000"}));
}

TEST_F(ErrorReporter, TimeOutClearsTheDeviceAndSaysSo) {
  ReportInstrumentError(VI_ERROR_TMO);
  EXPECT_EQ(m_port.m_events,
            (Events{"timer:stop", "dcl", "box:Time Out !", "timer:start:1000"}));
  m_port.m_events.clear();
  m_instrument.m_clearThrows = true;
  EXPECT_NO_THROW(ReportInstrumentError(VI_ERROR_TMO));
  EXPECT_EQ(m_port.m_events,
            (Events{"timer:stop", "dcl", "box:Time Out !", "timer:start:1000"}));
}

TEST_F(ErrorReporter, AnyOtherFailureBeepsThenSaysApiFailure) {
  for (int32_t status : {-1, static_cast<int32_t>(0xBFFF0067u), static_cast<int32_t>(0xBFFC0012u)}) {
    m_port.m_events.clear();
    ReportInstrumentError(status);
    EXPECT_EQ(m_port.m_events,
              (Events{"timer:stop", "beep", "box:API failure.", "timer:start:1000"}));
  }
  EXPECT_EQ(m_instrument.m_queries, 0);
}

}  // namespace
