// Start-up in a process of its own, for the cases that need a library search
// of their own: what lies beside the program, on PATH and in the current
// directory is chosen per case. The child is a copy of this test program that
// runs only the hidden test below and writes what the operator saw into a
// report file; the parent checks the report.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/connect/operator_view.h"
#include "tests/support/box_watcher.h"

namespace {

using Lines = std::vector<std::string>;

const char kReportVariable[] = "SFP_DISCOVERY_REPORT";
const char kCommandLineVariable[] = "SFP_DISCOVERY_COMMAND_LINE";
const char kChildTest[] = "DiscoveryChild.DISABLED_ReportsWhatTheOperatorSees";
const DWORD kChildTimeOutMs = 120000;

std::string Variable(const char* name) {
  char value[2048] = "";
  DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length < sizeof value ? std::string(value, length) : "";
}

std::string LoadedModulePath(const char* name) {
  HMODULE module = ::GetModuleHandleA(name);
  char path[MAX_PATH] = "";
  if (module == nullptr || ::GetModuleFileNameA(module, path, MAX_PATH) == 0) return "none";
  return path;
}

TEST(DiscoveryChild, DISABLED_ReportsWhatTheOperatorSees) {
  std::string reportPath = Variable(kReportVariable);
  if (reportPath.empty()) GTEST_SKIP() << "runs in a child process only";
  CBoxWatcher boxes;
  CAppFixture app;
  app.Start(nullptr, Variable(kCommandLineVariable));
  COperatorView view = WhatTheOperatorSees(app);
  std::ofstream report(reportPath);
  for (const CBoxSeen& box : boxes.m_boxes)
    report << "box " << box.caption << "|" << box.text << "|" << box.hasIcon << "\n";
  char lamp[16];
  std::snprintf(lamp, sizeof lamp, "%06lx", static_cast<unsigned long>(view.lamp));
  report << "live " << view.live << "\nlamp " << lamp << "\naddress " << view.address << "\n"
         << "visa " << LoadedModulePath("VISA32.DLL") << "\n";
  app.Stop();
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

std::string ThisProgram() {
  char path[MAX_PATH] = "";
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// The build's output folder, where the libraries of the cases come from.
std::string Built(const std::string& relative) { return Folder(ThisProgram()) + "\\" + relative; }

const std::string kSimulatedVisa = "visa-sim\\VISA32.DLL";
const std::string kIncompleteVisa = "visa-sim-incomplete\\VISA32.DLL";
const std::string kDriver = "tgq3207_32.dll";
const std::string kIncompleteDriver = "driver-incomplete\\tgq3207_32.dll";

std::string FileName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

Lines FileLines(const std::string& path) {
  Lines lines;
  std::ifstream file(path);
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

bool StartsWithName(const char* entry, const char* name) {
  size_t length = std::strlen(name);
  return _strnicmp(entry, name, length) == 0 && entry[length] == '=';
}

struct CChildCase {
  Lines besideProgram;    // built files copied beside the copy of the program
  Lines pathFolders;      // built folders on PATH, after the system folders
  Lines inCurrentFolder;  // built files in a current directory of the child's own
  std::string config;     // the simulated mainframe; empty: the built-in one
  std::string commandLine;
};

struct CChildReport {
  Lines boxes;
  std::map<std::string, std::string> values;
  Lines traffic;
  std::string output;  // the child's console output, for failure messages
};

// A scratch folder tree for one child, removed with everything in it.
class CScratch {
 public:
  CScratch() {
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    static int s_count = 0;
    m_root = std::string(temp) + "sfp-discovery-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++s_count);
    ::CreateDirectoryA(m_root.c_str(), nullptr);
    ::CreateDirectoryA(Program().c_str(), nullptr);
    ::CreateDirectoryA(Current().c_str(), nullptr);
  }
  ~CScratch() {
    for (const std::string& folder : {Program(), Current(), m_root}) {
      WIN32_FIND_DATAA found;
      HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
      if (search != INVALID_HANDLE_VALUE) {
        do ::DeleteFileA((folder + "\\" + found.cFileName).c_str());
        while (::FindNextFileA(search, &found));
        ::FindClose(search);
      }
      ::RemoveDirectoryA(folder.c_str());
    }
  }
  std::string Program() const { return m_root + "\\program"; }
  std::string Current() const { return m_root + "\\current"; }
  std::string File(const char* name) const { return m_root + "\\" + name; }

 private:
  std::string m_root;
};

std::string EnvironmentBlock(const CChildCase& child, const CScratch& scratch) {
  std::string block;
  char* strings = ::GetEnvironmentStringsA();
  for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
    bool replaced = false;
    for (const char* name : {"PATH", "TGQ_SIM_CONFIG", "TGQ_SIM_TRAFFIC", "TGQ_SIM_STATE",
                             kReportVariable, kCommandLineVariable})
      replaced = replaced || StartsWithName(entry, name);
    if (!replaced) block.append(entry).push_back('\0');
  }
  ::FreeEnvironmentStringsA(strings);
  char system[MAX_PATH] = "", windows[MAX_PATH] = "";
  ::GetSystemDirectoryA(system, MAX_PATH);
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  std::string path = std::string("PATH=") + system + ";" + windows;
  for (const std::string& folder : child.pathFolders) path += ";" + Built(folder);
  std::vector<std::string> added = {path, std::string(kReportVariable) + "=" + scratch.File("report.txt"),
                                    std::string(kCommandLineVariable) + "=" + child.commandLine,
                                    "TGQ_SIM_TRAFFIC=" + scratch.File("traffic.txt")};
  if (!child.config.empty()) added.push_back("TGQ_SIM_CONFIG=" + scratch.File("config.txt"));
  for (const std::string& entry : added) block.append(entry).push_back('\0');
  block.push_back('\0');
  return block;
}

bool CopyBuilt(const Lines& files, const std::string& folder) {
  for (const std::string& file : files)
    if (!::CopyFileA(Built(file).c_str(), (folder + "\\" + FileName(file)).c_str(), FALSE)) {
      ADD_FAILURE() << "cannot copy " << Built(file);
      return false;
    }
  return true;
}

CChildReport RunChild(const CChildCase& child) {
  CChildReport report;
  CScratch scratch;
  const std::string program = scratch.Program() + "\\" + FileName(ThisProgram());
  if (!::CopyFileA(ThisProgram().c_str(), program.c_str(), FALSE) ||
      !CopyBuilt(child.besideProgram, scratch.Program()) ||
      !CopyBuilt(child.inCurrentFolder, scratch.Current())) {
    ADD_FAILURE() << "cannot prepare the child's folders";
    return report;
  }
  if (!child.config.empty()) std::ofstream(scratch.File("config.txt")) << child.config;

  SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE output = ::CreateFileA(scratch.File("output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                &inheritable, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = output;
  std::string commandLine = "\"" + program + "\" --gtest_also_run_disabled_tests --gtest_filter=" +
                            kChildTest;
  std::string environment = EnvironmentBlock(child, scratch);
  PROCESS_INFORMATION process{};
  BOOL started = ::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                                  environment.data(), scratch.Current().c_str(), &startup, &process);
  ::CloseHandle(output);
  if (!started) {
    ADD_FAILURE() << "cannot start " << program;
    return report;
  }
  if (::WaitForSingleObject(process.hProcess, kChildTimeOutMs) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, 10000);
    ADD_FAILURE() << "the child did not end";
  }
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);

  for (const std::string& line : FileLines(scratch.File("output.txt"))) report.output += line + "\n";
  for (const std::string& line : FileLines(scratch.File("report.txt"))) {
    size_t blank = line.find(' ');
    std::string key = line.substr(0, blank);
    std::string value = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (key == "box")
      report.boxes.push_back(value);
    else
      report.values[key] = value;
  }
  report.traffic = FileLines(scratch.File("traffic.txt"));
  return report;
}

std::string Box(const std::string& text) { return "TG Q3207 SFP|" + text + "|1"; }

const char kNoVisa[] = "Could not find the VISA dll.  Creating non-live SFP.";
const char kNoDriver[] = "Could not find the instrument driver dll.  Creating non-live SFP.";

void ExpectNonLiveAfter(const CChildReport& report, const std::string& message) {
  EXPECT_EQ(report.boxes, Lines{Box(message)}) << report.output;
  EXPECT_EQ(report.values.at("live"), "0");
  EXPECT_EQ(report.values.at("lamp"), "404040");
  EXPECT_EQ(report.values.at("address"), "Addr Unknown");
  EXPECT_TRUE(report.traffic.empty());
}

bool SamePath(const std::string& a, const std::string& b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

TEST(DiscoveryInItsOwnProcess, WithoutVisaItRunsNonLive) {
  CChildReport report = RunChild({{kDriver}, {}, {}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
  EXPECT_EQ(report.values.at("visa"), "none");
}

TEST(DiscoveryInItsOwnProcess, VisaLackingAnEntryPointCountsAsMissing) {
  CChildReport report = RunChild({{kDriver}, {"visa-sim-incomplete"}, {}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
}

// The resource manager would fail: its message does not come, it is never opened.
TEST(DiscoveryInItsOwnProcess, WithoutTheDriverItRunsNonLiveBeforeOpeningTheResourceManager) {
  CChildReport report = RunChild({{}, {"visa-sim"}, {}, "rm-fails\n", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, DriverLackingAnEntryPointCountsAsMissing) {
  CChildReport report = RunChild({{kIncompleteDriver}, {"visa-sim"}, {}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, LibrariesInTheCurrentDirectoryAreNeverLoaded) {
  CChildReport report = RunChild({{}, {}, {kSimulatedVisa, kDriver}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
  EXPECT_EQ(report.values.at("visa"), "none");

  report = RunChild({{}, {"visa-sim"}, {kDriver}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, ALibraryInTheCurrentDirectoryDoesNotShadowTheSearchPath) {
  CChildReport report = RunChild({{kDriver}, {"visa-sim"}, {kIncompleteVisa}, "", ""});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  EXPECT_TRUE(report.boxes.empty()) << report.boxes.front();
  EXPECT_EQ(report.values.at("live"), "1");
  EXPECT_EQ(report.values.at("lamp"), "00ff00");
  EXPECT_EQ(report.values.at("address"), "Slot 3 GPIB-VXI0::24");
  EXPECT_TRUE(SamePath(report.values.at("visa"), Built(kSimulatedVisa))) << report.values.at("visa");
  ASSERT_FALSE(report.traffic.empty());
  EXPECT_EQ(report.traffic.front(), "open GPIB-VXI0::24::INSTR");
}

}  // namespace
