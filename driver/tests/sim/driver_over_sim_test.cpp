// The driver over the simulated VISA: the traffic the Q3207 model sees and the
// answers it gives, with error detection on as the program uses it.
#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "driver/driver_status.h"
#include "tgq3207.h"
#include "visa-sim/sim_control.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* kQ3207 = "GPIB-VXI0::24::INSTR";
// VISA's VI_SUCCESS_DEV_NPRESENT: the session is open, the device does not answer.
constexpr ViStatus kDeviceNotPresent = 0x3FFF007D;
const std::string kBuiltIn = "resource GPIB-VXI0::24::INSTR\nslot 3\nmanf 0x0FFF\nmodel 0x0244\n";

ViString Text(const char* text) { return const_cast<ViString>(text); }
std::string Write(const std::string& text) { return "write GPIB-VXI0::24::INSTR " + text; }
std::string Read(const std::string& text) { return "read GPIB-VXI0::24::INSTR " + text; }

Lines TakeTraffic() {
  std::string text(static_cast<size_t>(tgqsim_traffic(nullptr, 0)) + 1, '\0');
  tgqsim_traffic(text.data(), static_cast<int>(text.size()));
  tgqsim_clear_traffic();
  Lines lines;
  std::istringstream stream(text.c_str());
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

std::string StateOf(const std::string& key) {
  char state[4096];
  tgqsim_state(kQ3207, state, sizeof state);
  std::istringstream stream(state);
  for (std::string line; std::getline(stream, line);)
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
  return "(missing)";
}

// The host process switched to a locale that writes and reads numbers with a
// decimal comma, as a host calling setlocale(LC_ALL, "") on a German system
// does; the C locale again afterwards.
class CCommaDecimalLocale {
 public:
  CCommaDecimalLocale() {
    // glibc's name (natively; the tests generate it), then the C runtime's under Windows.
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252"})
      if (std::setlocale(LC_ALL, name) != nullptr && *std::localeconv()->decimal_point == ',')
        return;
    ADD_FAILURE() << "no locale with a decimal comma on this host";
  }
  ~CCommaDecimalLocale() { std::setlocale(LC_ALL, "C"); }
};

class DriverOverSim : public ::testing::Test {
 protected:
  void TearDown() override {
    if (vi != VI_NULL) tgq3207_close(vi);
    tgqsim_configure(nullptr);
  }
  // A session as the program opens it: no identity check, no reset, then
  // error detection on; the opening traffic is cleared.
  void Open(const std::string& extraConfig = "") {
    ASSERT_EQ(tgqsim_configure((kBuiltIn + extraConfig).c_str()), 0);
    ASSERT_EQ(tgq3207_init(Text(kQ3207), VI_FALSE, VI_FALSE, &vi), VI_SUCCESS);
    ASSERT_EQ(tgq3207_errorQueryDetect(vi, VI_TRUE), VI_SUCCESS);
    tgqsim_clear_traffic();
  }
  struct ErrorEntry {
    ViInt32 code = 1;
    std::string message;
  };
  // The oldest entry of the instrument's error queue, read through the driver.
  ErrorEntry NextError() {
    ErrorEntry entry;
    ViChar message[TGQ3207_ERROR_MESSAGE_SIZE] = {};
    EXPECT_EQ(tgq3207_error_query(vi, &entry.code, message), VI_SUCCESS);
    entry.message = message;
    return entry;
  }
  ViSession vi = VI_NULL;
};

TEST_F(DriverOverSim, InitChecksTheIdentityAndResetsKeepingNothingOfTheOldSettings) {
  Open();
  ASSERT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 5000.0), VI_SUCCESS);
  tgq3207_close(vi);
  tgqsim_queue_error(kQ3207, -113, "Undefined header");
  tgqsim_clear_traffic();
  ASSERT_EQ(tgq3207_init(Text(kQ3207), VI_TRUE, VI_TRUE, &vi), VI_SUCCESS);
  EXPECT_EQ(TakeTraffic(), (Lines{"open GPIB-VXI0::24::INSTR", Write("*IDN?"),
                                  Read("TARROWS-GIMBELL,Q3207,0,A.01.00"), Write("*RST"),
                                  Write("*CLS")}));
  EXPECT_EQ(StateOf("freq"), "1000");
  EXPECT_EQ(StateOf("errors"), "0");
}

TEST_F(DriverOverSim, InitRefusesAnotherMakersInstrumentAndClosesIt) {
  ASSERT_EQ(tgqsim_configure("resource GPIB0::9::INSTR\nscpi idn\nidn OTHER MAKER,DMM,0,1.0\n"), 0);
  EXPECT_EQ(tgq3207_init(Text("GPIB0::9::INSTR"), VI_TRUE, VI_FALSE, &vi), kStatusFailId);
  EXPECT_EQ(vi, static_cast<ViSession>(VI_NULL));
  EXPECT_EQ(TakeTraffic(), (Lines{"open GPIB0::9::INSTR", "write GPIB0::9::INSTR *IDN?",
                                  "read GPIB0::9::INSTR OTHER MAKER,DMM,0,1.0",
                                  "close GPIB0::9::INSTR"}));
}

// VISA opens a session to a device that does not answer with a warning; a
// reset asked of it then times out.
TEST_F(DriverOverSim, InitPassesOnTheWarningOfAnOpenWithItsSession) {
  ASSERT_EQ(tgqsim_configure((kBuiltIn + "open-fails 0x3FFF007D\n").c_str()), 0);
  EXPECT_EQ(tgq3207_init(Text(kQ3207), VI_FALSE, VI_FALSE, &vi), kDeviceNotPresent);
  ASSERT_NE(vi, static_cast<ViSession>(VI_NULL));
  EXPECT_EQ(tgq3207_close(vi), VI_SUCCESS);
  vi = VI_NULL;
  EXPECT_EQ(tgq3207_init(Text(kQ3207), VI_FALSE, VI_TRUE, &vi), VI_ERROR_TMO);
  EXPECT_EQ(vi, static_cast<ViSession>(VI_NULL));
  EXPECT_EQ(TakeTraffic(),
            (Lines{"open GPIB-VXI0::24::INSTR", "close GPIB-VXI0::24::INSTR",
                   "open GPIB-VXI0::24::INSTR", "timeout GPIB-VXI0::24::INSTR *RST",
                   "close GPIB-VXI0::24::INSTR"}));
}

TEST_F(DriverOverSim, ValuesGoOutAsTheModelReadsThem) {
  Open();
  EXPECT_EQ(tgq3207_cmd(vi, Text("OUTP:LOAD INF")), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("VOLT:UNIT VPP;:VOLT"), 2.5), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 0.0001), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdInt(vi, Text("BM:NCYC"), 50000), VI_SUCCESS);
  EXPECT_EQ(TakeTraffic(), (Lines{Write("OUTP:LOAD INF"), "stb GPIB-VXI0::24::INSTR 0",
                                  Write("VOLT:UNIT VPP;:VOLT 2.5"), "stb GPIB-VXI0::24::INSTR 0",
                                  Write("FREQ 0.0001"), "stb GPIB-VXI0::24::INSTR 0",
                                  Write("BM:NCYC 50000"), "stb GPIB-VXI0::24::INSTR 0"}));
  EXPECT_EQ(StateOf("ampl"), "2.5");
  EXPECT_EQ(StateOf("freq"), "0.0001");
  EXPECT_EQ(StateOf("bm.count"), "50000");
  EXPECT_EQ(StateOf("load"), "0");
  ViReal64 load = 0;
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("OUTP:LOAD?"), &load), VI_SUCCESS);
  EXPECT_EQ(load, 9.9e37);
}

TEST_F(DriverOverSim, NumbersCrossTheWireWithAPointWhateverTheHostsLocale) {
  CCommaDecimalLocale comma;
  Open();
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2500000.5), VI_SUCCESS);
  ViReal64 freq = 0;
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ?"), &freq), VI_SUCCESS);
  EXPECT_EQ(freq, 2500000.5);
  EXPECT_EQ(TakeTraffic(), (Lines{Write("FREQ 2500000.5"), "stb GPIB-VXI0::24::INSTR 0",
                                  Write("FREQ?"), Read("+2.50000050000000E+06"),
                                  "stb GPIB-VXI0::24::INSTR 0"}));
  EXPECT_EQ(StateOf("freq"), "2500000.5");
}

TEST_F(DriverOverSim, ARefusedValueIsReportedAndTheQueueDrainsOldestFirst) {
  Open();
  tgqsim_queue_error(kQ3207, -113, "Undefined header");
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2e7), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(StateOf("freq"), "1000");
  ErrorEntry entry = NextError();  // more still queued
  EXPECT_EQ(entry.code, -113);
  EXPECT_EQ(entry.message, "Undefined header");
  entry = NextError();
  EXPECT_EQ(entry.code, -222);
  EXPECT_EQ(entry.message, "Data out of range");
  entry = NextError();
  EXPECT_EQ(entry.code, 0);
  EXPECT_EQ(entry.message, "No error");
  ViReal64 freq = 0;
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ?"), &freq), VI_SUCCESS);
  EXPECT_EQ(freq, 1000.0);
}

TEST_F(DriverOverSim, AnOverflowingQueueEndsInItsOverflowEntry) {
  Open("error-flood FREQ 25\n");
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2000.0), TGQ3207_INSTR_ERROR_DETECTED);
  ErrorEntry entry = NextError();
  EXPECT_EQ(entry.code, -300);
  EXPECT_EQ(entry.message, "Device-specific error;flood 1 of 25");
  for (int n = 2; n < 20; ++n) entry = NextError();
  EXPECT_EQ(entry.message, "Device-specific error;flood 19 of 25");
  EXPECT_EQ(NextError().code, -350);
  EXPECT_EQ(NextError().code, 0);
}

TEST_F(DriverOverSim, TextRepliesAreCutToTheCallersSizeAndEnded) {
  Open("options 1:PLL,2:ARB-MEMORY-EXTENDED\n");
  ViChar reply[32];
  std::memset(reply, 'x', sizeof reply);
  EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("*OPT?"), 15, reply), VI_SUCCESS);
  EXPECT_STREQ(reply, "1:PLL,2:ARB-MEM");
  EXPECT_EQ(reply[16], 'x');
  EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("FUNC?"), 31, reply), VI_SUCCESS);
  EXPECT_STREQ(reply, "SIN");
  EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("FUNC?;:FREQ?"), 31, reply), VI_SUCCESS);
  EXPECT_STREQ(reply, "SIN;+1.00000000000000E+03");
}

// The simulated lengths count the line feed: 4097 bytes carry 4096 characters.
TEST_F(DriverOverSim, RepliesOfTheLongestLengthAreTakenAndLongerOnesRefused) {
  Open("long-reply FUNC? 4097\nlong-reply SWE:SPAC? 4098\n");
  ViChar reply[32];
  EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("FUNC?"), 5, reply), VI_SUCCESS);
  EXPECT_STREQ(reply, "SIN  ");
  EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("SWE:SPAC?"), 31, reply), kStatusInvalidResponse);
  EXPECT_STREQ(reply, "");
  ViReal64 freq = 0;  // the refused reply was read to its end: nothing is left over
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ?"), &freq), VI_SUCCESS);
  EXPECT_EQ(freq, 1000.0);
}

TEST_F(DriverOverSim, SelfTestStatusByteOpcAndTrigger) {
  Open("self-test 5\npll unlocked\nstb-extra 64\n");
  ViInt16 result = 0;
  ViChar message[TGQ3207_SELF_TEST_MESSAGE_SIZE];
  EXPECT_EQ(tgq3207_self_test(vi, &result, message), VI_SUCCESS);
  EXPECT_EQ(result, 5);
  EXPECT_STREQ(message, "Self test failed");
  EXPECT_EQ(tgq3207_cmdInt16_Q(vi, Text("STAT:QUES:COND?"), &result), VI_SUCCESS);
  EXPECT_EQ(result, 64);
  EXPECT_EQ(tgq3207_opc_Q(vi, &result), VI_SUCCESS);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(tgq3207_readStatusByte_Q(vi, &result), VI_SUCCESS);
  EXPECT_EQ(result, 64);
  EXPECT_EQ(tgq3207_trg(vi), VI_SUCCESS);
  EXPECT_EQ(StateOf("triggers"), "1");
  tgqsim_queue_error(kQ3207, -100, "Command error");
  EXPECT_EQ(tgq3207_readStatusByte_Q(vi, &result), TGQ3207_INSTR_ERROR_DETECTED);
  EXPECT_EQ(result, 68);  // stored before the error is reported
  EXPECT_EQ(tgq3207_statEvenClr(vi), VI_SUCCESS);
  EXPECT_EQ(StateOf("errors"), "0");
}

TEST_F(DriverOverSim, TimeOutsComeBackAndADeviceClearEndsAHangingQuery) {
  Open("timeout-on FREQ\ntimeout-on FREQ:STAR?\n");
  EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2000.0), VI_ERROR_TMO);
  EXPECT_EQ(StateOf("freq"), "1000");
  ViReal64 value = 0;
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ:STAR?"), &value), VI_ERROR_TMO);
  EXPECT_EQ(tgq3207_dcl(vi), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ?"), &value), VI_SUCCESS);
  EXPECT_EQ(value, 1000.0);
  EXPECT_EQ(TakeTraffic(),
            (Lines{"timeout GPIB-VXI0::24::INSTR FREQ 2000", Write("FREQ:STAR?"),
                   "timeout GPIB-VXI0::24::INSTR FREQ:STAR?", "clear GPIB-VXI0::24::INSTR",
                   Write("FREQ?"), Read("+1.00000000000000E+03"),
                   "stb GPIB-VXI0::24::INSTR 0"}));
}

// Every entry point the program uses, over every kind of interface, reply
// end, piece size and termination setting that vendor VISAs show.
TEST_F(DriverOverSim, WorksOverEveryInterfaceReplyEndPieceSizeAndTermination) {
  const std::vector<std::string> interfaces = {
      "resource GPIB-VXI0::24::INSTR\n", "resource GPIB0::9::INSTR\n",
      "resource VXI0::8::INSTR\n", "resource GPIB-VXI0::24::INSTR\nend-indicator no\n",
      "resource TCPIP0::127.0.0.1::5025::SOCKET\n"};
  const char* warns = "set-warns VI_ATTR_TERMCHAR_EN\nset-warns VI_ATTR_TMO_VALUE\n";
  for (const std::string& interface : interfaces)
    for (const char* replyEnd : {"", "line-end crlf\n"})
      for (const char* pieces : {"", "largest-piece 1\n", "largest-piece 7\n"})
        for (const char* termination : {"", warns}) {
          std::string config =
              interface + replyEnd + pieces + termination + "long-reply *OPT? 300\n";
          SCOPED_TRACE(config);
          std::string name = interface.substr(9, interface.find('\n') - 9);
          ASSERT_EQ(tgqsim_configure(config.c_str()), 0);
          ASSERT_EQ(tgq3207_init(Text(name.c_str()), VI_TRUE, VI_TRUE, &vi), VI_SUCCESS);
          ASSERT_EQ(tgq3207_errorQueryDetect(vi, VI_TRUE), VI_SUCCESS);
          EXPECT_GE(tgq3207_timeOut(vi, 5000), VI_SUCCESS);
          ViReal64 freq = 0;
          EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2500.0), VI_SUCCESS);
          EXPECT_EQ(tgq3207_cmdReal64_Q(vi, Text("FREQ?"), &freq), VI_SUCCESS);
          EXPECT_EQ(freq, 2500.0);
          ViChar text[32];
          EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("*OPT?"), 31, text), VI_SUCCESS);
          EXPECT_EQ(std::string(text), "1:PLL" + std::string(26, ' '));
          EXPECT_EQ(tgq3207_cmdString_Q(vi, Text("FUNC?"), 31, text), VI_SUCCESS);
          EXPECT_STREQ(text, "SIN");
          EXPECT_EQ(tgq3207_cmdReal(vi, Text("FREQ"), 2e7), TGQ3207_INSTR_ERROR_DETECTED);
          const ErrorEntry entry = NextError();
          EXPECT_EQ(entry.code, -222);
          EXPECT_EQ(entry.message, "Data out of range");
          EXPECT_EQ(tgq3207_trg(vi), VI_SUCCESS);
          EXPECT_EQ(tgq3207_dcl(vi), VI_SUCCESS);
          ViInt16 statusByte = -1;
          EXPECT_EQ(tgq3207_readStatusByte_Q(vi, &statusByte), VI_SUCCESS);
          EXPECT_EQ(statusByte, 0);
          char state[4096];
          tgqsim_state(name.c_str(), state, sizeof state);
          EXPECT_NE(std::string(state).find("\ntriggers=1\n"), std::string::npos);
          EXPECT_EQ(tgq3207_close(vi), VI_SUCCESS);
          vi = VI_NULL;
        }
}

TEST_F(DriverOverSim, TheSessionTimeOutDecidesWhetherASlowInstrumentAnswers) {
  Open("delay-ms 150\n");
  ASSERT_EQ(tgq3207_timeOut(vi, 100), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmd(vi, Text("FREQ 2000")), VI_ERROR_TMO);
  ASSERT_EQ(tgq3207_timeOut(vi, 5000), VI_SUCCESS);
  EXPECT_EQ(tgq3207_cmd(vi, Text("FREQ 3000")), VI_SUCCESS);
  EXPECT_EQ(StateOf("freq"), "3000");
}

}  // namespace
