// The program live on a Q3207 on the network: the simulated VISA's SOCKET
// resource, or its LAN resource over VXI-11, reaches the network simulator,
// started as its own process, over a real loopback connection.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/led_lamp.h"
#include "instrument/instrument.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

// tgqnetsim.exe from the test's folder on a free loopback port (or `port`),
// with more options, its event lines in a file; it stops by itself after two
// minutes should the test not.
class CNetworkSimulator {
 public:
  explicit CNetworkSimulator(const std::string& port = "0", const std::string& options = "") {
    char path[MAX_PATH] = "", folder[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string program(path);
    program.erase(program.find_last_of("\\/") + 1);
    program += "tgqnetsim.exe";
    ::GetTempPathA(sizeof folder, folder);
    m_logPath = std::string(folder) + "sfp_network_road_log.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE log = ::CreateFileA(m_logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = log;
    std::string commandLine = "\"" + program + "\" --port " + port + " --lifetime 120 " + options;
    m_started = ::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                                 CREATE_NO_WINDOW, nullptr, nullptr, &startup, &m_process);
    ::CloseHandle(log);
    for (int i = 0; m_started && i < 300 && m_port.empty(); ++i) {
      ::Sleep(100);
      for (const std::string& line : Log())
        if (line.rfind("listening ", 0) == 0) m_port = line.substr(line.rfind(':') + 1);
    }
  }
  ~CNetworkSimulator() {
    Stop();
    ::DeleteFileA(m_logPath.c_str());
  }

  // Ends the server process at once, as a pulled plug or a crash would.
  void Stop() {
    if (!m_started) return;
    ::TerminateProcess(m_process.hProcess, 1);
    ::WaitForSingleObject(m_process.hProcess, 10000);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
    m_started = false;
  }

  std::string Resource() const { return "TCPIP0::127.0.0.1::" + m_port + "::SOCKET"; }
  const std::string& Port() const { return m_port; }
  bool Listening() const { return !m_port.empty(); }
  Lines Log() const {
    Lines lines;
    std::ifstream file(m_logPath);
    for (std::string line; std::getline(file, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }

 private:
  PROCESS_INFORMATION m_process{};
  bool m_started = false;
  std::string m_logPath;
  std::string m_port;
};

// The program with the simulated VISA, started live on a network resource.
struct CLiveOnNetwork {
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  // The Main panel at its power-on frequency with no box shown; null otherwise.
  HWND Start(const std::string& resource) {
    if (!StartLive(app, "-a " + resource)) return nullptr;
    HWND panel = app.Panel();
    bool fresh = panel && TextOf(panel, IDC_MAIN_FREQ) == "1 kHz" && boxes.m_boxes.empty();
    return fresh ? panel : nullptr;
  }
};

TEST(NetworkRoad, TheProgramRunsLiveOverASocketAndGoesOnWhenTheServerStops) {
  CNetworkSimulator server("0", "--no-vxi11");
  ASSERT_TRUE(server.Listening());
  CLiveOnNetwork live;
  CBoxWatcher& boxes = live.boxes;
  CAppFixture& app = live.app;
  HWND panel = live.Start(server.Resource());
  ASSERT_NE(panel, nullptr);

  // Connection 1 was discovery's look at the resource; the driver holds connection 2.
  size_t before = server.Log().size();
  EnterValue(panel, IDC_MAIN_FREQ, "2.5k");
  EXPECT_EQ(TextOf(panel, IDC_MAIN_FREQ), "2.5 kHz");
  Lines log = server.Log();
  EXPECT_EQ(Lines(log.begin() + static_cast<long>(before), log.end()),
            (Lines{"write 2 FREQ 2500", "write 2 *STB?", "read 2 0", "write 2 FREQ?",
                   "read 2 +2.50000000000000E+03", "write 2 *STB?", "read 2 0",
                   "write 2 PULS:DCYC?", "read 2 +5.00000000000000E+01", "write 2 *STB?",
                   "read 2 0"}));
  EXPECT_TRUE(boxes.m_boxes.empty());

  server.Stop();
  DWORD start = ::GetTickCount();
  EnterValue(panel, IDC_MAIN_FREQ, "3k");
  EnterValue(panel, IDC_MAIN_FREQ, "4k");
  app.Command(ID_SYSTEM_SYNC);
  EXPECT_LT(::GetTickCount() - start, 60000u);
  ASSERT_FALSE(boxes.m_boxes.empty());
  for (const std::string& text : boxes.Texts())
    EXPECT_TRUE(text == "API failure." || text == "Time Out !") << text;
  std::printf("network road: %zu boxes after the server stopped, first \"%s\", %lu ms\n",
              boxes.m_boxes.size(), boxes.m_boxes[0].text.c_str(), ::GetTickCount() - start);
  EXPECT_NE(theApp.m_pInstrument->m_live, 0);
  EXPECT_TRUE(::IsWindow(panel));
}

// The lines the server logged since `before`.
Lines LoggedSince(const CNetworkSimulator& server, size_t before) {
  Lines log = server.Log();
  return Lines(log.begin() + static_cast<long>(std::min(before, log.size())), log.end());
}

TEST(NetworkRoad, TheProgramRunsLiveOverVxi11AndAnUnansweredQueryTimesOut) {
  char folder[MAX_PATH] = "";
  ::GetTempPathA(sizeof folder, folder);
  std::string config = std::string(folder) + "sfp_network_road_lan.txt";
  std::ofstream(config) << "resource GPIB-VXI0::24::INSTR\ntimeout-on SYST:ERR?\n";
  CNetworkSimulator server("0", "--vxi11 --config \"" + config + "\"");
  ASSERT_TRUE(server.Listening());
  CLiveOnNetwork live;
  HWND panel = live.Start("TCPIP0::127.0.0.1::inst0::INSTR");
  ASSERT_NE(panel, nullptr);

  // Link L1 was the look at the resource before the driver opened it; the driver holds L2
  // and reads the status byte by serial poll.
  size_t before = server.Log().size();
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  EXPECT_EQ(TextOf(panel, IDC_MAIN_FREQ), "2.5 MHz");
  EXPECT_EQ(LoggedSince(server, before),
            (Lines{"write L2 FREQ 2500000", "stb L2 0", "write L2 FREQ?",
                   "read L2 +2.50000000000000E+06", "stb L2 0", "write L2 PULS:DCYC?",
                   "read L2 +5.00000000000000E+01", "stb L2 0"}));
  EXPECT_TRUE(live.boxes.m_boxes.empty());

  live.app.Command(ID_PANELS_STATUS);
  before = server.Log().size();
  ClickButton(live.app.Panel(), IDC_STAT_READ_ERROR);
  EXPECT_EQ(live.boxes.Texts(), (std::vector<std::string>{"Time Out !"}));
  // The driver clears the device after a time-out.
  EXPECT_EQ(LoggedSince(server, before),
            (Lines{"timeout L2 SYST:ERR?", "timeout L2", "clear L2"}));
  server.Stop();
  ::DeleteFileA(config.c_str());
}

bool LampIsGreen(HWND panel) {
  auto* lamp = dynamic_cast<CLedLamp*>(CWnd::FromHandle(::GetDlgItem(panel, IDC_MAIN_LAMP)));
  return lamp != nullptr && lamp->m_lampColor == RGB(0, 255, 0);
}

// The server stopped in the middle of a session and started again on the same
// port: the retries win it back by themselves; started as a module just
// switched on, the operator is asked, and either answer leaves the panel equal
// to the instrument.
TEST(NetworkRoad, TheProgramWinsTheInstrumentBackWhenTheServerComesBack) {
  auto server = std::make_unique<CNetworkSimulator>("0", "--no-vxi11");
  ASSERT_TRUE(server->Listening());
  const std::string port = server->Port();
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  ASSERT_TRUE(StartLive(app, "-a " + server->Resource()));
  HWND panel = app.Panel();
  EnterValue(panel, IDC_MAIN_FREQ, "2.5M");
  for (int answer : {IDYES, IDNO, 0, 0, 0, 0, 0}) {
    server.reset();
    EnterValue(panel, IDC_MAIN_FREQ, "3M");
    EXPECT_FALSE(LampIsGreen(panel));
    server = std::make_unique<CNetworkSimulator>(port, answer != 0 ? "--no-vxi11 --power-on" : "--no-vxi11");
    ASSERT_TRUE(server->Listening());
    DWORD restarted = ::GetTickCount();
    boxes.m_boxes.clear();
    boxes.m_onDialog = [answer](HWND box) {
      ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), 0);
      return answer != 0;
    };
    if (answer != 0) app.Command(ID_SYSTEM_RECONNECT);
    for (int i = 0; i < 300 && !LampIsGreen(panel); ++i) PumpMessages(50);
    ASSERT_TRUE(LampIsGreen(panel));
    std::printf("network road: green lamp %lu ms after the server came back\n", ::GetTickCount() - restarted);
    PumpMessages(50);
    EXPECT_EQ(boxes.m_boxes.size(), answer != 0 ? 1u : 0u);
    // A server started again without --power-on holds its power-on settings
    // all the same, and says nothing: the panel takes them.
    EXPECT_EQ(TextOf(panel, IDC_MAIN_FREQ), answer == IDYES ? "2.5 MHz" : "1 kHz");
  }
}

}  // namespace
