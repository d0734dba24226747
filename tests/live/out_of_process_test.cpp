// The program as the operator starts it: its own process, real discovery over
// the simulated VISA on the search path, and the traffic file of the simulation.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string ProgramPath() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path);
  folder.erase(folder.find_last_of("\\/") + 1);
  return folder + "tgq3207sfp.exe";
}

std::string TrafficFilePath() {
  char folder[MAX_PATH] = "";
  ::GetTempPathA(sizeof folder, folder);
  return std::string(folder) + "sfp_out_of_process_traffic.txt";
}

Lines FileLines(const std::string& path) {
  Lines lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

// An environment variable set for the programs this process starts.
class CScopedVariable {
 public:
  CScopedVariable(const char* name, const std::string& value) : m_name(name) {
    ::SetEnvironmentVariableA(name, value.c_str());
  }
  ~CScopedVariable() { ::SetEnvironmentVariableA(m_name, nullptr); }

 private:
  const char* m_name;
};

struct CWindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindShownMainWindow(HWND hWnd, LPARAM lParam) {
  auto* search = reinterpret_cast<CWindowSearch*>(lParam);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hWnd, &owner);
  char caption[64] = "";
  ::GetWindowTextA(hWnd, caption, sizeof caption);
  if (owner != search->processId || !::IsWindowVisible(hWnd) ||
      std::string(caption) != "TG Q3207A")
    return TRUE;
  search->found = hWnd;
  return FALSE;
}

// The program's main window once it is on screen; null after `ms`.
HWND WaitForMainWindow(DWORD processId, DWORD ms) {
  DWORD start = ::GetTickCount();
  do {
    CWindowSearch search{processId, nullptr};
    ::EnumWindows(&FindShownMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    ::Sleep(100);
  } while (::GetTickCount() - start < ms);
  return nullptr;
}

TEST(OutOfProcess, TheProgramFindsTheSimulatedInstrumentAndClosesItsSessionAtExit) {
  const std::string trafficPath = TrafficFilePath();
  ::DeleteFileA(trafficPath.c_str());
  PROCESS_INFORMATION process{};
  {
    CScopedVariable traffic("TGQ_SIM_TRAFFIC", trafficPath);
    CScopedVariable noConfig("TGQ_SIM_CONFIG", "");
    std::string commandLine = "\"" + ProgramPath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &startup, &process))
        << ProgramPath();
  }
  HWND mainWindow = WaitForMainWindow(process.dwProcessId, 30000);
  EXPECT_NE(mainWindow, nullptr);
  if (mainWindow != nullptr) ::PostMessageA(mainWindow, WM_CLOSE, 0, 0);
  bool ended = ::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
  if (!ended) ::TerminateProcess(process.hProcess, 1);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.hProcess, &exitCode);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ASSERT_TRUE(ended);
  EXPECT_EQ(exitCode, 0u);

  Lines traffic = FileLines(trafficPath);
  ::DeleteFileA(trafficPath.c_str());
  ASSERT_GE(traffic.size(), 2u);
  EXPECT_EQ(traffic.front(), "open GPIB-VXI0::24::INSTR");
  EXPECT_EQ(traffic.back(), "close GPIB-VXI0::24::INSTR");
  // Live: the start-up reads the settings through the driver.
  EXPECT_NE(std::find(traffic.begin(), traffic.end(), "write GPIB-VXI0::24::INSTR FREQ?"),
            traffic.end());
}

}  // namespace
