// Start-up in a process of its own, for the cases that need a library search
// of their own: what lies beside the program, on PATH, in the current
// directory and under the VXIplug&play framework roots (registry, environment,
// Program Files) is chosen per case. The child is a copy of this test program that
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
         << "visa " << LoadedModulePath("VISA32.DLL") << "\n"
         << "driver " << LoadedModulePath("tgq3207_32.dll") << "\n";
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
// "built file>name": copied under another name.
const std::string kSimulatedVisaAsVisa64 = kSimulatedVisa + ">visa64.dll";

const bool k64Bit = sizeof(void*) == 8;
const std::string kRootVariable = k64Bit ? "VXIPNPPATH64" : "VXIPNPPATH";
const std::string kOtherRootVariable = k64Bit ? "VXIPNPPATH" : "VXIPNPPATH64";
const std::string kBin = k64Bit ? "\\Win64\\Bin" : "\\WinNT\\Bin";
const std::string kOtherBin = k64Bit ? "\\WinNT\\Bin" : "\\Win64\\Bin";
// Program Files is set by the system for every process, so this root is the
// Wine prefix's own.
const std::string kDefaultRoot = Variable("ProgramFiles") + "\\IVI Foundation\\VISA";

std::string FileName(const std::string& path) {
  size_t rename = path.find('>');
  if (rename != std::string::npos) return path.substr(rename + 1);
  return path.substr(path.find_last_of("\\/") + 1);
}
std::string BuiltFile(const std::string& entry) { return Built(entry.substr(0, entry.find('>'))); }

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

// Where VXIplug&play installers would have put the driver, for one child.
struct CFrameworkSetup {
  Lines driverFolders;       // folders that get a copy of the driver, absolute or in the scratch tree
  std::string registryRoot;  // scratch folder named as the framework root in the registry
  Lines rootVariables;       // NAME=scratch folder, set for the child
};

struct CChildCase {
  Lines besideProgram;    // built files copied beside the copy of the program
  Lines pathFolders;      // built folders on PATH, after the system folders
  Lines inCurrentFolder;  // built files in a current directory of the child's own
  std::string config;     // the simulated mainframe; empty: the built-in one
  std::string commandLine;
  CFrameworkSetup framework;
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
  ~CScratch() { RemoveTree(m_root); }
  std::string Program() const { return m_root + "\\program"; }
  std::string Current() const { return m_root + "\\current"; }
  std::string File(const std::string& name) const { return m_root + "\\" + name; }
  // The folder with the folders above it, within the scratch tree.
  // A path inside the scratch tree relative to its root; any other unchanged.
  std::string Relative(const std::string& path) const {
    std::string prefix = m_root + "\\";
    return _strnicmp(path.c_str(), prefix.c_str(), prefix.size()) == 0 ? path.substr(prefix.size())
                                                                       : path;
  }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = ::FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = found.cFileName, path = folder + "\\" + name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
          ::DeleteFileA(path.c_str());
        else if (name != "." && name != "..")
          RemoveTree(path);
      } while (::FindNextFileA(search, &found));
      ::FindClose(search);
    }
    ::RemoveDirectoryA(folder.c_str());
  }

  std::string m_root;
};

std::string EnvironmentBlock(const CChildCase& child, const CScratch& scratch) {
  std::string block;
  char* strings = ::GetEnvironmentStringsA();
  for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
    bool replaced = false;
    for (const char* name : {"PATH", "TGQ_SIM_CONFIG", "TGQ_SIM_TRAFFIC", "TGQ_SIM_STATE",
                             kReportVariable, kCommandLineVariable, "VXIPNPPATH", "VXIPNPPATH64"})
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
  for (const std::string& variable : child.framework.rootVariables) {
    size_t equals = variable.find('=');
    added.push_back(variable.substr(0, equals + 1) + scratch.File(variable.substr(equals + 1)));
  }
  if (!child.config.empty()) added.push_back("TGQ_SIM_CONFIG=" + scratch.File("config.txt"));
  for (const std::string& entry : added) block.append(entry).push_back('\0');
  block.push_back('\0');
  return block;
}

bool CopyBuilt(const Lines& files, const std::string& folder) {
  for (const std::string& file : files)
    if (!::CopyFileA(BuiltFile(file).c_str(), (folder + "\\" + FileName(file)).c_str(), FALSE)) {
      ADD_FAILURE() << "cannot copy " << BuiltFile(file);
      return false;
    }
  return true;
}

// The framework root in the registry, in this program's own view, for one child;
// the value that was there before comes back afterwards.
class CRegistryRoot {
 public:
  explicit CRegistryRoot(const std::string& root) {
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                          nullptr, &m_key, nullptr) != ERROR_SUCCESS) {
      ADD_FAILURE() << "cannot open the registry key";
      m_key = nullptr;
      return;
    }
    char old[MAX_PATH] = "";
    DWORD size = sizeof old;
    m_hadValue = ::RegQueryValueExA(m_key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(old),
                                    &size) == ERROR_SUCCESS;
    m_old = old;
    Set(root);
  }
  ~CRegistryRoot() {
    if (m_key == nullptr) return;
    Set(m_hadValue ? m_old : "");
    ::RegCloseKey(m_key);
  }

 private:
  static constexpr const char* kKey = "SOFTWARE\\VXIPNP_Alliance\\VXIPNP\\CurrentVersion";
  static constexpr const char* kValue = "VXIPNPPATH";
  void Set(const std::string& root) {
    if (root.empty())
      ::RegDeleteValueA(m_key, kValue);
    else
      ::RegSetValueExA(m_key, kValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(root.c_str()),
                       static_cast<DWORD>(root.size() + 1));
  }

  HKEY m_key = nullptr;
  bool m_hadValue = false;
  std::string m_old;
};

// Copies of the driver in the given folders, with the folders that were
// missing; all of it is removed again.
class CPlacedDrivers {
 public:
  CPlacedDrivers(const Lines& folders, const CScratch& scratch) {
    for (const std::string& folder : folders) {
      std::string path = folder.size() > 1 && folder[1] == ':' ? folder : scratch.File(folder);
      for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        Make(path.substr(0, slash));
      Make(path);
      m_files.push_back(path + "\\" + kDriver);
      m_complete = m_complete && CopyBuilt({kDriver}, path);
    }
  }
  ~CPlacedDrivers() {
    for (const std::string& file : m_files) ::DeleteFileA(file.c_str());
    for (auto folder = m_madeFolders.rbegin(); folder != m_madeFolders.rend(); ++folder)
      ::RemoveDirectoryA(folder->c_str());
  }
  bool Complete() const { return m_complete; }

 private:
  void Make(const std::string& folder) {
    if (::CreateDirectoryA(folder.c_str(), nullptr)) m_madeFolders.push_back(folder);
  }

  Lines m_files, m_madeFolders;
  bool m_complete = true;
};

CChildReport RunChild(const CChildCase& child) {
  CChildReport report;
  CScratch scratch;
  CRegistryRoot registryRoot(child.framework.registryRoot.empty() ? "" : scratch.File(child.framework.registryRoot));
  CPlacedDrivers placed(child.framework.driverFolders, scratch);
  if (!placed.Complete()) return report;
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
      report.values[key] = scratch.Relative(value);
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
  CChildReport report = RunChild({{kDriver}, {}, {}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
  EXPECT_EQ(report.values.at("visa"), "none");
}

TEST(DiscoveryInItsOwnProcess, VisaLackingAnEntryPointCountsAsMissing) {
  CChildReport report = RunChild({{kDriver}, {"visa-sim-incomplete"}, {}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
}

// The resource manager would fail: its message does not come, it is never opened.
TEST(DiscoveryInItsOwnProcess, WithoutTheDriverItRunsNonLiveBeforeOpeningTheResourceManager) {
  CChildReport report = RunChild({{}, {"visa-sim"}, {}, "rm-fails\n", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, DriverLackingAnEntryPointCountsAsMissing) {
  CChildReport report = RunChild({{kIncompleteDriver}, {"visa-sim"}, {}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, LibrariesInTheCurrentDirectoryAreNeverLoaded) {
  CChildReport report = RunChild({{}, {}, {kSimulatedVisa, kDriver}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoVisa);
  EXPECT_EQ(report.values.at("visa"), "none");

  report = RunChild({{}, {"visa-sim"}, {kDriver}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, kNoDriver);
}

TEST(DiscoveryInItsOwnProcess, ALibraryInTheCurrentDirectoryDoesNotShadowTheSearchPath) {
  CChildReport report = RunChild({{kDriver}, {"visa-sim"}, {kIncompleteVisa}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  EXPECT_TRUE(report.boxes.empty()) << report.boxes.front();
  EXPECT_EQ(report.values.at("live"), "1");
  EXPECT_EQ(report.values.at("lamp"), "00ff00");
  EXPECT_EQ(report.values.at("address"), "Slot 3 GPIB-VXI0::24");
  EXPECT_TRUE(SamePath(report.values.at("visa"), Built(kSimulatedVisa))) << report.values.at("visa");
  ASSERT_FALSE(report.traffic.empty());
  EXPECT_EQ(report.traffic.front(), "open GPIB-VXI0::24::INSTR");
}

void ExpectLive(const CChildReport& report) {
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  EXPECT_TRUE(report.boxes.empty()) << report.boxes.front();
  EXPECT_EQ(report.values.at("live"), "1");
  EXPECT_EQ(report.values.at("lamp"), "00ff00");
}

// A 64-bit program falls back on visa64.dll; the 32-bit one knows only VISA32.DLL.
TEST(DiscoveryInItsOwnProcess, Visa64ServesA64BitProgramWhenVisa32CannotServe) {
  // The driver binds to the incomplete VISA32.DLL, which has every call it makes.
  CChildReport report =
      RunChild({{kDriver, kSimulatedVisaAsVisa64}, {"visa-sim-incomplete"}, {}, "", "", {}});
  if (k64Bit) {
    ExpectLive(report);
    EXPECT_EQ(report.values.at("address"), "Slot 3 GPIB-VXI0::24");
  } else {
    ASSERT_EQ(report.values.count("live"), 1u) << report.output;
    ExpectNonLiveAfter(report, kNoVisa);
  }

  // The driver itself cannot load without VISA32.DLL.
  report = RunChild({{kDriver, kSimulatedVisaAsVisa64}, {}, {}, "", "", {}});
  ASSERT_EQ(report.values.count("live"), 1u) << report.output;
  ExpectNonLiveAfter(report, k64Bit ? kNoDriver : kNoVisa);
}

// Beside the program, then the framework folder of the first root given by the
// registry, the variable of this bitness or Program Files, then the search path.
TEST(DiscoveryInItsOwnProcess, TheDriverIsLookedForInVxiPnpOrder) {
  const std::string registry = "registry" + kBin, variable = "variable" + kBin,
                    programs = kDefaultRoot + kBin, name = "\\" + kDriver;
  const Lines everyRoot = {registry, variable, programs};
  const Lines searchPath = {"visa-sim", ""};
  struct {
    CChildCase child;
    std::string driver;
  } cases[] = {
      {{{kDriver}, searchPath, {}, "", "", {everyRoot, "registry", {kRootVariable + "=variable"}}},
       "program" + name},
      {{{}, searchPath, {}, "", "", {everyRoot, "registry", {kRootVariable + "=variable"}}},
       registry + name},
      {{{}, searchPath, {}, "", "", {everyRoot, "", {kRootVariable + "=variable"}}}, variable + name},
      {{{}, searchPath, {}, "", "", {everyRoot, "", {}}}, programs + name},
      // The other bitness's variable and folder are not looked at.
      {{{}, searchPath, {}, "", "",
        {{variable, kDefaultRoot + kOtherBin}, "", {kOtherRootVariable + "=variable"}}},
       Built(kDriver)},
  };
  for (const auto& each : cases) {
    CChildReport report = RunChild(each.child);
    SCOPED_TRACE(each.driver);
    ExpectLive(report);
    EXPECT_TRUE(SamePath(report.values.at("driver"), each.driver)) << report.values.at("driver");
  }
}

}  // namespace
