// Start-up time of window programs, from process creation to their window on
// screen, beside a baseline program started the same way:
//   launch_timer RUNS BASE_CAPTION BASE_COMMAND [FIGURE CAPTION COMMAND]...
// A program's window is on screen when a visible top-level window of its
// process has the caption and either is a dialog or holds a visible child
// dialog (the program's current panel). The runs alternate between the
// programs, so that a change in the machine's load reaches each alike; each
// program is started once more beforehand, unmeasured, to warm the file cache.
// Standard error also gets, per program, the median time until its captioned
// window was first visible, panel or not.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_report.h"

namespace {
constexpr DWORD kShowTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 15000;
constexpr double kGoalRatio = 1.2;
const char kDialogClass[] = "#32770";

struct CProgram {
  std::string m_figure;
  std::string m_caption;
  std::string m_command;
  std::vector<double> m_ms;
  // Until the captioned window was first visible, with or without its panel.
  std::vector<double> m_windowMs;
};

struct CSearch {
  DWORD m_processId;
  const std::string* m_caption;
  bool m_visible;
  HWND m_found;
};

bool IsDialog(HWND hWnd) {
  char name[16] = "";
  ::GetClassNameA(hWnd, name, sizeof name);
  return std::strcmp(name, kDialogClass) == 0;
}

BOOL CALLBACK IsVisibleDialog(HWND child, LPARAM found) {
  if (!::IsWindowVisible(child) || !IsDialog(child)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

BOOL CALLBACK IsShownWindow(HWND hWnd, LPARAM param) {
  auto* search = reinterpret_cast<CSearch*>(param);
  DWORD processId = 0;
  ::GetWindowThreadProcessId(hWnd, &processId);
  if (processId != search->m_processId || !::IsWindowVisible(hWnd)) return TRUE;
  char caption[256] = "";
  ::GetWindowTextA(hWnd, caption, sizeof caption);
  if (*search->m_caption != caption) return TRUE;
  search->m_visible = true;
  bool shown = IsDialog(hWnd);
  if (!shown) ::EnumChildWindows(hWnd, IsVisibleDialog, reinterpret_cast<LPARAM>(&shown));
  if (!shown) return TRUE;
  search->m_found = hWnd;
  return FALSE;
}

void Close(const PROCESS_INFORMATION& process, HWND window) {
  if (window != nullptr) ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (window == nullptr || ::WaitForSingleObject(process.hProcess, kExitTimeoutMs) != WAIT_OBJECT_0)
    ::TerminateProcess(process.hProcess, 1);
  ::WaitForSingleObject(process.hProcess, kExitTimeoutMs);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
}

struct CStartTimes {
  double m_windowMs = -1.0;
  double m_shownMs = -1.0;
};

// Milliseconds until the window is on screen; negative when it never came.
CStartTimes TimeOneStart(const CProgram& program) {
  std::vector<char> command(program.m_command.begin(), program.m_command.end());
  command.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER frequency, start, now;
  ::QueryPerformanceFrequency(&frequency);
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::fprintf(stderr, "launch_timer: cannot start %s\n", program.m_command.c_str());
    return {};
  }
  CSearch search = {process.dwProcessId, &program.m_caption, false, nullptr};
  CStartTimes times;
  double ms = 0.0;
  do {
    ::EnumWindows(IsShownWindow, reinterpret_cast<LPARAM>(&search));
    ::QueryPerformanceCounter(&now);
    ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
    if (search.m_visible && times.m_windowMs < 0) times.m_windowMs = ms;
    if (search.m_found == nullptr) ::Sleep(1);
  } while (search.m_found == nullptr && ms < kShowTimeoutMs);
  Close(process, search.m_found);
  if (search.m_found == nullptr) {
    std::fprintf(stderr, "launch_timer: no window \"%s\" from %s\n", program.m_caption.c_str(),
                 program.m_command.c_str());
    return {};
  }
  times.m_shownMs = ms;
  return times;
}

std::string Ratio(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "x%.2f", ratio);
  return text;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc < 7 || (argc - 4) % 3 != 0) {
    std::fprintf(stderr, "usage: launch_timer RUNS BASE_CAPTION BASE_COMMAND"
                         " [FIGURE CAPTION COMMAND]...\n");
    return 2;
  }
  int runs = std::atoi(argv[1]);
  std::vector<CProgram> programs = {{"baseline", argv[2], argv[3], {}, {}}};
  for (int arg = 4; arg < argc; arg += 3)
    programs.push_back({argv[arg], argv[arg + 1], argv[arg + 2], {}, {}});

  for (const CProgram& program : programs)
    if (TimeOneStart(program).m_shownMs < 0) return 1;
  for (int run = 0; run < runs; ++run) {
    for (CProgram& program : programs) {
      CStartTimes times = TimeOneStart(program);
      if (times.m_shownMs < 0) return 1;
      program.m_ms.push_back(times.m_shownMs);
      program.m_windowMs.push_back(times.m_windowMs);
    }
  }
  for (const CProgram& program : programs)
    std::fprintf(stderr, "%s: window first visible after %s, shown complete after %s (medians)\n",
                 program.m_command.c_str(), Milliseconds(Median(program.m_windowMs)).c_str(),
                 Milliseconds(Median(program.m_ms)).c_str());

  double baseline = Median(programs.front().m_ms);
  for (size_t i = 1; i < programs.size(); ++i) {
    double measured = Median(programs[i].m_ms);
    double ratio = measured / baseline;
    PrintRow({programs[i].m_figure, Milliseconds(measured) + ", " + Ratio(ratio),
              Milliseconds(baseline) + " " + programs.front().m_caption,
              "ratio <= " + Ratio(kGoalRatio).substr(1),
              ratio <= kGoalRatio});
  }
  return 0;
}
