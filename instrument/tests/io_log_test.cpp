#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "instrument/io_log.h"
#include "instrument/tests/live_fixture.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

// The log's records from `first` on, without their time and duration.
Rows LoggedFrom(size_t first) {
  Rows rows;
  const auto& records = IoLog().Records();
  for (size_t i = first; i < records.size(); ++i) {
    std::vector<std::string> fields = RecordFields(records[i]);
    fields.erase(fields.begin(), fields.begin() + 3);
    rows.push_back(fields);
  }
  return rows;
}

class IoLogOfTheLiveInstrument : public LiveInstrumentTest {
 protected:
  void SetUp() override {
    LiveInstrumentTest::SetUp();
    IoLog().Clear();
  }
  void TearDown() override { IoLog().Clear(); }
};

// A call's time is the wall clock's when it started, the second call's too.
TEST_F(IoLogOfTheLiveInstrument, EachCallIsStampedWithTheWallClockAtItsStart) {
  using namespace std::chrono_literals;
  for (int call = 0; call < 2; ++call) {
    if (call > 0) std::this_thread::sleep_for(30ms);
    auto before = std::chrono::system_clock::now();
    m_instrument->SetFreq(1000.0);
    auto after = std::chrono::system_clock::now();
    EXPECT_LE(before - 1ms, IoLog().Records().back().m_startedAt) << "call " << call;
    EXPECT_GE(after + 1ms, IoLog().Records().back().m_startedAt) << "call " << call;
  }
}

// Each driver call is one row: the action behind it, the entry point, what
// went out as the driver writes it, what a query read, the status.
TEST_F(IoLogOfTheLiveInstrument, EachCallIsOneRowWithItsActionSentReplyAndStatus) {
  {
    CIoActionScope action("Main: Frequency Enter");
    m_instrument->SetFreq(2.5e6);
    m_driver.Answer(Real(2.5e6));
    m_instrument->GetFreq(1);
    m_driver.Answer(Text("SQU"));
    m_instrument->GetFunc(1);
  }
  CIoActionScope action("AM: Depth arrow up");
  m_instrument->SetTrigSource(4);
  m_instrument->SetBmCount(12);
  m_driver.Answer(Number(1));
  m_instrument->GetAmState(1);
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->SetAmpl(0.25), CUserException);
  m_driver.Fail(static_cast<int32_t>(0xBFFC0D07u));
  EXPECT_THROW(m_instrument->GetOffset(1), CUserException);
  m_driver.Answer(CDriverAnswer{0, "-222,\"Data out of range\""});
  int32_t code = 0;
  std::string message;
  m_instrument->ErrorQuery(code, message);
  EXPECT_EQ(LoggedFrom(0),
            (Rows{{"Main: Frequency Enter", "tgq3207_cmdReal", "FREQ 2500000", "", "0x00000000 success"},
                  {"Main: Frequency Enter", "tgq3207_cmdReal64_Q", "FREQ?", "2500000", "0x00000000 success"},
                  {"Main: Frequency Enter", "tgq3207_cmdString_Q", "FUNC?", "SQU", "0x00000000 success"},
                  {"AM: Depth arrow up", "tgq3207_cmd", "TRIG:SOUR TTLT1", "", "0x00000000 success"},
                  {"AM: Depth arrow up", "tgq3207_cmdInt", "BM:NCYC 12", "", "0x00000000 success"},
                  {"AM: Depth arrow up", "tgq3207_cmdInt16_Q", "AM:STAT?", "1", "0x00000000 success"},
                  {"AM: Depth arrow up", "tgq3207_cmdReal", "VOLT:UNIT VPP;:VOLT 0.25", "", "0xBFFF0015 time-out"},
                  {"AM: Depth arrow up", "tgq3207_cmdReal64_Q", "VOLT:OFFS?", "", "0xBFFC0D07 instrument reports errors"},
                  {"AM: Depth arrow up", "tgq3207_error_query", "", "0,-222,\"Data out of range\"", "0x00000000 success"}}));
  EXPECT_EQ(IoLog().Records().front().m_number + 8, IoLog().Records().back().m_number);
}

// A row's texts are made when it is shown, from what its call sent and read
// then: neither the remembered value the reply went into nor the action now
// under way reach it.
TEST_F(IoLogOfTheLiveInstrument, ARowShowsWhatItsCallSentAndReadWhenItWasMade) {
  {
    CIoActionScope action("Main: Frequency Enter");
    m_driver.Answer(Real(2.5e6));
    m_instrument->GetFreq(1);
  }
  CIoActionScope action("Main: Frequency arrow up");
  m_instrument->SetFreq(3e3);
  EXPECT_EQ(LoggedFrom(0),
            (Rows{{"Main: Frequency Enter", "tgq3207_cmdReal64_Q", "FREQ?", "2500000", "0x00000000 success"},
                  {"Main: Frequency arrow up", "tgq3207_cmdReal", "FREQ 3000", "", "0x00000000 success"}}));
}

TEST_F(IoLogOfTheLiveInstrument, KeepsTheLastTenThousandCallsAndCountsTheRest) {
  for (int i = 0; i < 10001; ++i) m_instrument->SetFreq(1000 + i);
  EXPECT_EQ(IoLog().Records().size(), 10000u);
  EXPECT_EQ(IoLog().Dropped(), 1u);
  EXPECT_EQ(RecordFields(IoLog().Records().front())[5], "FREQ 1001");
  EXPECT_EQ(DroppedLine(IoLog().Dropped()), "1 earlier calls dropped: the log keeps the last 10000");
  std::vector<const CIoRecord*> last = {&IoLog().Records().back()};
  std::string text = RecordsAsText(last, IoLog().Dropped());
  EXPECT_EQ(text.substr(0, text.find("\r\n", text.find("\r\n") + 2) + 2),
            "No.\tTime\tms\tAction\tEntry point\tSent\tReply\tStatus\r\n"
            "1 earlier calls dropped: the log keeps the last 10000\r\n");
  EXPECT_NE(text.find("\ttgq3207_cmdReal\tFREQ 11000\t\t0x00000000 success\r\n"), std::string::npos);
  IoLog().m_enabled = false;
  m_instrument->SetFreq(5);
  IoLog().m_enabled = true;
  EXPECT_EQ(RecordFields(IoLog().Records().back())[5], "FREQ 11000");
}

TEST_F(IoLogOfTheLiveInstrument, CsvQuotesAReplyWithACommaAndAQuote) {
  m_driver.Answer(Text("-222,\"Data out of range\""));
  std::string text;
  m_instrument->GetUserFunc(text, 1);
  std::vector<const CIoRecord*> rows = {&IoLog().Records().back()};
  std::string csv = RecordsAsCsv(rows, 0);
  EXPECT_NE(csv.find(",tgq3207_cmdString_Q,FUNC:USER?,\"-222,\"\"Data out of range\"\"\",0x00000000 success\r\n"),
            std::string::npos)
      << csv;
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")), "No.,Time,ms,Action,Entry point,Sent,Reply,Status");
}

// Logged to a file, each call is there as soon as it has been made.
TEST_F(IoLogOfTheLiveInstrument, LoggedToAFileEachCallIsWrittenAsItHappens) {
  const std::string path = ::testing::TempDir() + "sfp-io-log.txt";
  std::remove(path.c_str());
  std::FILE* file = std::fopen(path.c_str(), "ab");
  ASSERT_NE(file, nullptr);
  IoLog().LogTo(file, path);
  EXPECT_EQ(IoLog().LogFile(), path);
  m_instrument->SetFreq(2.5e6);
  auto contents = [&path] {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
      for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
      std::fclose(file);
    }
    return text;
  };
  std::string first = contents();
  EXPECT_NE(first.find("\ttgq3207_cmdReal\tFREQ 2500000\t\t0x00000000 success\r\n"), std::string::npos) << first;
  m_instrument->ClearStatus();
  IoLog().LogTo(nullptr, path);
  EXPECT_EQ(IoLog().LogFile(), "");
  m_instrument->SetFreq(3e3);
  std::string second = contents();
  EXPECT_EQ(second.rfind(first, 0), 0u);
  EXPECT_NE(second.find("\ttgq3207_statEvenClr\t"), std::string::npos);
  EXPECT_EQ(second.find("FREQ 3000"), std::string::npos);
  std::remove(path.c_str());
}

// The setting commands that went out and were taken, in a setup's words and
// in their order, from the last reset on.
TEST_F(IoLogOfTheLiveInstrument, TheScriptHoldsTheSettingCommandsSentSinceTheLastReset) {
  m_instrument->SetFunc(kFuncSqu);
  m_instrument->SetFreq(2.5e6);
  m_instrument->Reset();
  m_driver.Answer(Real(2.5e6));
  m_instrument->GetFreq(1);
  m_instrument->SetAmpl(0.1 + 0.2);
  m_instrument->SetLoad(0);
  m_driver.Fail(VI_ERROR_TMO);
  EXPECT_THROW(m_instrument->SetOffset(1), CUserException);
  m_instrument->SetBmCount(0);
  m_instrument->SetAmpl(0.5);
  m_instrument->ClearStatus();
  std::vector<const CIoRecord*> rows;
  for (const CIoRecord& record : IoLog().Records()) rows.push_back(&record);
  EXPECT_EQ(RecordsAsScript(rows),
            "# TG Q3207 setup\r\n# from the I/O log\r\n*RST\r\n"
            "VOLT:UNIT VPP;:VOLT 0.30000000000000004\r\nOUTP:LOAD INF\r\nBM:NCYC INF\r\nVOLT:UNIT VPP;:VOLT 0.5\r\n");
  rows.erase(rows.begin() + 2, rows.end());
  EXPECT_EQ(RecordsAsScript(rows), "# TG Q3207 setup\r\n# from the I/O log\r\nFUNC SQU\r\nFREQ 2500000\r\n");
}

}  // namespace
