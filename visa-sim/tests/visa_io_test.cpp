#include <chrono>
#include <deque>
#include <utility>

#include "visa-sim/tests/visa_test_support.h"
#include "visa-sim/visa/reply_reader.h"

namespace {

using VisaIo = VisaSimTest;

const char* kIdn = "TARROWS-GIMBELL,Q3207,0,A.01.00\n";
const char* kSocket = "TCPIP0::10.0.0.5::5025::SOCKET";
const std::string kFreq = "+1.00000000000000E+03";

using Reads = std::vector<std::pair<std::string, ViStatus>>;

// The reply to FREQ? read with reads of `count` bytes, by interface, line
// end, piece size and termination character.
TEST_F(VisaIo, ReadsEndByTheRulesOfTheInterface) {
  struct Case {
    std::string config;
    bool termChar;
    ViUInt32 count;
    Reads reads;
  };
  const std::string gpibVxi = "resource GPIB-VXI0::24::INSTR\n";
  const std::string socket = std::string("resource ") + kSocket + "\n";
  for (const Case& c : std::vector<Case>{
           {gpibVxi, false, 256, {{kFreq + "\n", VI_SUCCESS}}},
           {gpibVxi + "largest-piece 1\n", false, 256, {{kFreq + "\n", VI_SUCCESS}}},
           {gpibVxi + "largest-piece 3\n", false, 8,
            {{"+1.00000", VI_SUCCESS_MAX_CNT}, {"00000000", VI_SUCCESS_MAX_CNT},
             {"0E+03\n", VI_SUCCESS}}},
           // END outranks the termination character and a full buffer on its byte.
           {gpibVxi + "line-end crlf\n", true, 256, {{kFreq + "\r\n", VI_SUCCESS}}},
           {gpibVxi, false, 22, {{kFreq + "\n", VI_SUCCESS}}},
           {gpibVxi + "end-indicator no\n", true, 256, {{kFreq + "\n", VI_SUCCESS_TERM_CHAR}}},
           {gpibVxi + "end-indicator no\n", false, 256, {{kFreq + "\n", VI_ERROR_TMO}}},
           {socket, true, 256, {{kFreq + "\n", VI_SUCCESS_TERM_CHAR}}},
           {socket + "line-end crlf\nlargest-piece 2\n", true, 256,
            {{kFreq + "\r\n", VI_SUCCESS_TERM_CHAR}}},
           {socket, true, 21, {{kFreq, VI_SUCCESS_MAX_CNT}, {"\n", VI_SUCCESS_TERM_CHAR}}},
           {socket, false, 22, {{kFreq + "\n", VI_SUCCESS_MAX_CNT}}},
           {socket + "largest-piece 4\n", false, 256, {{kFreq + "\n", VI_ERROR_TMO}}},
       }) {
    SCOPED_TRACE(c.config + (c.termChar ? "term char on" : "term char off"));
    Configure(c.config);
    std::string name = c.config.substr(9, c.config.find('\n') - 9);
    ViSession vi = Open(name);
    ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, c.termChar ? VI_TRUE : VI_FALSE), VI_SUCCESS);
    ASSERT_EQ(Write(vi, "FREQ?\n"), VI_SUCCESS);
    Reads reads;
    for (size_t i = 0; i < c.reads.size(); ++i) {
      ViStatus status = VI_SUCCESS;
      std::string bytes = Read(vi, c.count, &status);
      reads.emplace_back(bytes, status);
    }
    EXPECT_EQ(reads, c.reads);
    if (c.reads.back().second == VI_ERROR_TMO) {
      EXPECT_EQ(TrafficLines().back(), "timeout " + name + " FREQ?");
    }
  }
}

// A transport that delivers more than was asked for and END on its own.
class ScriptedPieces : public tgqsim::PieceSource {
 public:
  explicit ScriptedPieces(std::deque<tgqsim::Piece> pieces) : pieces_(std::move(pieces)) {}
  std::optional<tgqsim::Piece> NextPiece(size_t, tgqsim::Deadline) override {
    if (pieces_.empty()) return std::nullopt;
    tgqsim::Piece next = pieces_.front();
    pieces_.pop_front();
    return next;
  }

 private:
  std::deque<tgqsim::Piece> pieces_;
};

TEST(ReplyReader, KeepsWhatArrivedPastTheEndOfARead) {
  ScriptedPieces source({{"AB", false}, {"C\nDE", false}, {"F", true}, {"GH", false}});
  tgqsim::ReplyReader reader;
  tgqsim::ReadSettings terminated{0, true, '\n'};
  auto read = [&](size_t count, const tgqsim::ReadSettings& settings) {
    tgqsim::ReadOutcome outcome = reader.Read(source, count, settings);
    return std::make_pair(outcome.bytes, outcome.status);
  };
  EXPECT_EQ(read(10, terminated), std::make_pair(std::string("ABC\n"), VI_SUCCESS_TERM_CHAR));
  EXPECT_TRUE(reader.HasUnread());
  EXPECT_EQ(read(2, terminated), std::make_pair(std::string("DE"), VI_SUCCESS_MAX_CNT));
  EXPECT_EQ(read(10, {0, false, '\n'}), std::make_pair(std::string("F"), VI_SUCCESS));
  EXPECT_EQ(read(10, terminated), std::make_pair(std::string("GH"), VI_ERROR_TMO));
  EXPECT_FALSE(reader.HasUnread());
}

TEST_F(VisaIo, AMessageEndsAtItsLineFeedOrWithEnd) {
  Configure(std::string("resource ") + kSocket + "\nresource GPIB-VXI0::24::INSTR\n");
  ViSession socket = Open(kSocket);
  ViSession gpibVxi = Open(kQ3207);
  ASSERT_EQ(Write(socket, "FREQ 2"), VI_SUCCESS);
  ASSERT_EQ(Write(socket, "000\nVOLT 2"), VI_SUCCESS);
  ASSERT_EQ(viSetAttribute(gpibVxi, VI_ATTR_SEND_END_EN, VI_FALSE), VI_SUCCESS);
  ASSERT_EQ(Write(gpibVxi, "FREQ 3"), VI_SUCCESS);
  ASSERT_EQ(viSetAttribute(gpibVxi, VI_ATTR_SEND_END_EN, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Write(gpibVxi, "000"), VI_SUCCESS);
  EXPECT_EQ(StateValue(State(kSocket), "freq"), "2000");
  EXPECT_EQ(StateValue(State(), "freq"), "3000");
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{
                                std::string("open ") + kSocket, "open GPIB-VXI0::24::INSTR",
                                std::string("write ") + kSocket + " FREQ 2000",
                                "write GPIB-VXI0::24::INSTR FREQ 3000"}));
}

TEST_F(VisaIo, ASocketHasNoDeviceClearSerialPollOrTrigger) {
  Configure(std::string("resource ") + kSocket + "\n");
  ViSession vi = Open(kSocket);
  ASSERT_EQ(Write(vi, "FUNC?\n"), VI_SUCCESS);
  ASSERT_EQ(viClear(vi), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 256, &status), "");
  EXPECT_EQ(status, VI_ERROR_TMO);
  ViUInt16 stb = 0;
  EXPECT_EQ(viReadSTB(vi, &stb), VI_ERROR_NSUP_OPER);
  EXPECT_EQ(viAssertTrigger(vi, VI_TRIG_PROT_DEFAULT), VI_ERROR_NSUP_OPER);
  EXPECT_EQ(StateValue(State(kSocket), "triggers"), "0");
  EXPECT_EQ(TrafficLines()[2], std::string("flush ") + kSocket);
}

TEST_F(VisaIo, QueryReplyIsReadBackOverSeveralReads) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "*IDN?"), VI_SUCCESS);  // END alone terminates the message
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 10, &status), "TARROWS-GI");
  EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
  EXPECT_EQ(Read(vi, 100, &status), "MBELL,Q3207,0,A.01.00\n");
  EXPECT_EQ(status, VI_SUCCESS);
  EXPECT_EQ(Read(vi, 100, &status), "");
  EXPECT_EQ(status, VI_ERROR_TMO);
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "-420,\"Query UNTERMINATED\"\n");
  EXPECT_EQ(TrafficLines(), (std::vector<std::string>{
                                "open GPIB-VXI0::24::INSTR", "write GPIB-VXI0::24::INSTR *IDN?",
                                "read GPIB-VXI0::24::INSTR TARROWS-GI",
                                "read GPIB-VXI0::24::INSTR MBELL,Q3207,0,A.01.00",
                                "timeout GPIB-VXI0::24::INSTR *IDN?",
                                "write GPIB-VXI0::24::INSTR SYST:ERR?",
                                "read GPIB-VXI0::24::INSTR -420,\"Query UNTERMINATED\""}));
}

TEST_F(VisaIo, TerminationCharacterEndsAReadEarly) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR, ';'), VI_SUCCESS);
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TERMCHAR_EN, VI_TRUE), VI_SUCCESS);
  ASSERT_EQ(Write(vi, "FUNC?;FUNC:USER?\n"), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  EXPECT_EQ(Read(vi, 100, &status), "SIN;");
  EXPECT_EQ(status, VI_SUCCESS_TERM_CHAR);
  EXPECT_EQ(Read(vi, 100, &status), "SINC\n");
  EXPECT_EQ(status, VI_SUCCESS);
}

TEST_F(VisaIo, SeveralMessagesInOneWriteAndTheStateThatFollows) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "FREQ 2500000\nVOLT:UNIT VPP;:VOLT 0.5\n"), VI_SUCCESS);
  EXPECT_EQ(StateValue(State(), "freq"), "2500000");
  EXPECT_EQ(StateValue(State(), "ampl"), "0.5");
  EXPECT_EQ(TrafficLines().back(), "write GPIB-VXI0::24::INSTR VOLT:UNIT VPP;:VOLT 0.5");
}

TEST_F(VisaIo, DeviceClearDropsThePendingReplyButNotTheErrors) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "FREQ 1E9;:FREQ?\n"), VI_SUCCESS);
  ViUInt16 stb = 0;
  ASSERT_EQ(viReadSTB(vi, &stb), VI_SUCCESS);
  EXPECT_EQ(stb, 4 | 16);
  ASSERT_EQ(viClear(vi), VI_SUCCESS);
  ASSERT_EQ(viReadSTB(vi, &stb), VI_SUCCESS);
  EXPECT_EQ(stb, 4);
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "-222,\"Data out of range\"\n");
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "0,\"No error\"\n");
  std::vector<std::string> lines = TrafficLines();
  EXPECT_EQ(lines[2], "stb GPIB-VXI0::24::INSTR 20");
  EXPECT_EQ(lines[3], "clear GPIB-VXI0::24::INSTR");
}

TEST_F(VisaIo, TimeOutOnOneQueryOnly) {
  Configure("resource GPIB-VXI0::24::INSTR\ntimeout-on FREQ?\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "FREQ?\n"), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  Read(vi, 256, &status);
  EXPECT_EQ(status, VI_ERROR_TMO);
  Read(vi, 256, &status);
  EXPECT_EQ(status, VI_ERROR_TMO);  // the instrument hangs until cleared
  ASSERT_EQ(viClear(vi), VI_SUCCESS);
  EXPECT_EQ(Query(vi, "FREQ:STAR?"), "+1.00000000000000E+02\n");
  ASSERT_EQ(Write(vi, "FREQ 2000\n"), VI_SUCCESS);
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "0,\"No error\"\n");  // nothing was left unread
  EXPECT_EQ(StateValue(State(), "freq"), "2000");
  std::vector<std::string> lines = TrafficLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[1], "write GPIB-VXI0::24::INSTR FREQ?");
  EXPECT_EQ(lines[2], "timeout GPIB-VXI0::24::INSTR FREQ?");
  EXPECT_EQ(lines[3], "timeout GPIB-VXI0::24::INSTR FREQ?");
}

TEST_F(VisaIo, TimeOutOnACommandLosesIt) {
  Configure("resource GPIB-VXI0::24::INSTR\ntimeout-on FREQ\n");
  ViSession vi = Open(kQ3207);
  EXPECT_EQ(Write(vi, "FREQ 2000\n"), VI_ERROR_TMO);
  EXPECT_EQ(StateValue(State(), "freq"), "1000");
  EXPECT_EQ(Query(vi, "FREQ?"), "+1.00000000000000E+03\n");
  EXPECT_EQ(TrafficLines()[1], "timeout GPIB-VXI0::24::INSTR FREQ 2000");
}

TEST_F(VisaIo, TimeOutOnTheNthIo) {
  Configure("resource GPIB-VXI0::24::INSTR\ntimeout-io 2\ntimeout-io 5\n");
  ViSession vi = Open(kQ3207);
  ViStatus status = VI_SUCCESS;
  ASSERT_EQ(Write(vi, "FREQ?\n"), VI_SUCCESS);  // 1
  Read(vi, 256, &status);                        // 2: the reply is lost
  EXPECT_EQ(status, VI_ERROR_TMO);
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "0,\"No error\"\n");  // 3, 4
  EXPECT_EQ(Write(vi, "FREQ 5\n"), VI_ERROR_TMO);          // 5
  EXPECT_EQ(StateValue(State(), "freq"), "1000");
}

// The scripted link by interface: lost with a message, back after a count of
// I/Os, the module switched off and on meanwhile.
TEST_F(VisaIo, AScriptedLinkGoesAndComesBackPowerCycled) {
  struct Row {
    const char* rsrc;
    ViStatus lost;
  };
  const Row rows[] = {{"GPIB-VXI0::24::INSTR", VI_ERROR_NLISTENERS},
                      {"VXI0::8::INSTR", VI_ERROR_TMO},
                      {"TCPIP0::10.0.0.9::inst0::INSTR", VI_ERROR_CONN_LOST}};
  for (const Row& row : rows) {
    Configure(std::string("resource ") + row.rsrc + "\nlink-lost-on FREQ\nlink-back-io 3\npower-cycle\n");
    ViSession vi = Open(row.rsrc);
    ASSERT_EQ(Write(vi, "VOLT 2\n"), VI_SUCCESS) << row.rsrc;
    EXPECT_EQ(Write(vi, "FREQ 2000\n"), row.lost) << row.rsrc;       // lost: I/O 2
    EXPECT_EQ(Write(vi, "*ESR?\n"), row.lost) << row.rsrc;           // 3
    ViUInt16 stb = 0;
    EXPECT_EQ(viReadSTB(vi, &stb), row.lost) << row.rsrc;             // 4
    EXPECT_EQ(Query(vi, "*ESR?"), "128\n") << row.rsrc;             // 5: back
    EXPECT_EQ(Query(vi, "*ESR?"), "0\n") << row.rsrc;
    EXPECT_EQ(StateValue(State(row.rsrc), "ampl"), "0.10000000000000001") << row.rsrc;
    std::vector<std::string> lines = TrafficLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[2], std::string("lost ") + row.rsrc + " FREQ 2000");
  }
}

TEST_F(VisaIo, SlowInstrumentTakesItsTimeAndTimesOutPastTheSessionTimeout) {
  Configure("resource GPIB-VXI0::24::INSTR\ndelay-ms 60\n");
  ViSession vi = Open(kQ3207);
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Query(vi, "FREQ?"), "+1.00000000000000E+03\n");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(120));
  ASSERT_EQ(viSetAttribute(vi, VI_ATTR_TMO_VALUE, 10), VI_SUCCESS);
  EXPECT_EQ(Write(vi, "FREQ 2000\n"), VI_ERROR_TMO);
}

TEST_F(VisaIo, OverLongReplyFillsEveryBuffer) {
  Configure("resource GPIB-VXI0::24::INSTR\nlong-reply FUNC? 600\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "FUNC?\n"), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  std::string reply = Read(vi, 256, &status);
  EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
  reply += Read(vi, 256, &status);
  EXPECT_EQ(status, VI_SUCCESS_MAX_CNT);
  reply += Read(vi, 256, &status);
  EXPECT_EQ(status, VI_SUCCESS);
  EXPECT_EQ(reply, "SIN" + std::string(596, ' ') + "\n");
  EXPECT_EQ(Query(vi, "FREQ?"), "+1.00000000000000E+03\n");
}

TEST_F(VisaIo, ErrorFloodQueuesItsErrorsAtOnce) {
  Configure("resource GPIB-VXI0::24::INSTR\nerror-flood *RST 25\n");
  ViSession vi = Open(kQ3207);
  ASSERT_EQ(Write(vi, "*RST\n"), VI_SUCCESS);
  EXPECT_EQ(StateValue(State(), "errors"), "20");
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "-300,\"Device-specific error;flood 1 of 25\"\n");
  for (int i = 2; i < 20; ++i) Query(vi, "SYST:ERR?");
  EXPECT_EQ(Query(vi, "SYST:ERR?"), "-350,\"Queue overflow\"\n");
}

TEST_F(VisaIo, ConfiguredStatusSelfTestAndPll) {
  Configure("resource GPIB-VXI0::24::INSTR\nstb-extra 16\nself-test 5\npll unlocked\n"
            "options 2:MEM\n");
  ViSession vi = Open(kQ3207);
  ViUInt16 stb = 0;
  ASSERT_EQ(viReadSTB(vi, &stb), VI_SUCCESS);
  EXPECT_EQ(stb, 16);
  EXPECT_EQ(Query(vi, "*TST?"), "5\n");
  EXPECT_EQ(Query(vi, "STAT:QUES:COND?"), "64\n");
  EXPECT_EQ(Query(vi, "*OPT?"), "2:MEM\n");
}

TEST_F(VisaIo, TriggerReachesTheInstrument) {
  Configure("resource GPIB-VXI0::24::INSTR\n");
  ViSession vi = Open(kQ3207);
  EXPECT_EQ(viAssertTrigger(vi, VI_TRIG_PROT_DEFAULT), VI_SUCCESS);
  EXPECT_EQ(viAssertTrigger(vi, 7), VI_ERROR_INV_PARAMETER);
  EXPECT_EQ(StateValue(State(), "triggers"), "1");
  EXPECT_EQ(TrafficLines().back(), "trigger GPIB-VXI0::24::INSTR");
  EXPECT_EQ(viFlush(vi, 0x10), VI_SUCCESS);
}

TEST_F(VisaIo, OtherInstrumentsAnswerOnlyWhatTheyKnow) {
  Configure("resource GPIB0::9::INSTR\nscpi idn\nidn OTHER MAKER,DMM,1,1\n"
            "resource GPIB0::4::INSTR\n"
            "resource ASRL1::INSTR\nscpi none\n");
  ViSession dmm = Open("GPIB0::9::INSTR");
  EXPECT_EQ(Query(dmm, "*IDN?"), "OTHER MAKER,DMM,1,1\n");
  ASSERT_EQ(Write(dmm, "FREQ?\n"), VI_SUCCESS);
  ViStatus status = VI_SUCCESS;
  Read(dmm, 100, &status);
  EXPECT_EQ(status, VI_ERROR_TMO);
  EXPECT_EQ(State("GPIB0::9::INSTR"), "<none>");

  ViSession q3207OnGpib = Open("GPIB0::4::INSTR");
  EXPECT_EQ(Query(q3207OnGpib, "*IDN?"), kIdn);

  ViSession serial = Open("ASRL1::INSTR");
  ASSERT_EQ(Write(serial, "*IDN?"), VI_SUCCESS);
  Read(serial, 100, &status);
  EXPECT_EQ(status, VI_ERROR_TMO);
  ViUInt16 type = 0;
  EXPECT_EQ(viGetAttribute(serial, VI_ATTR_INTF_TYPE, &type), VI_SUCCESS);
  EXPECT_EQ(type, VI_INTF_ASRL);
}

}  // namespace
