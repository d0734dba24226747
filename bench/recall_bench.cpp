// How long System > Recall Setup... takes on a Q3207 that spends 40 ms on
// every write and read: the whole setup of the simulated mainframe, one
// command per setting and one Sync, against its floor, the write and read
// operations in its traffic times 40 ms. A recall that waited on its own
// account, or sent a setting twice, would stand above the floor.
#include <windows.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "app/setup_commands.h"
#include "app/sfp_app.h"
#include "bench/bench_report.h"
#include "instrument/instrument.h"
#include "instrument/tests/random_setup.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

namespace {
constexpr int kRuns = 3;
constexpr int kDelayMs = 40;
constexpr double kGoalRatio = 1.1;

// The writes and reads of the traffic, each of which waits out the delay.
int IoOperations(const std::vector<std::string>& traffic, int& writes) {
  int operations = 0;
  writes = 0;
  for (const std::string& line : traffic) {
    bool write = line.rfind("write ", 0) == 0;
    writes += write;
    operations += write || line.rfind("read ", 0) == 0;
  }
  return operations;
}
}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CSimulatedMainframe mainframe((std::string(kSimulatedQ3207) + "delay-ms " + std::to_string(kDelayMs) + "\n").c_str());
  if (!mainframe.IsLoaded()) return BenchFailed("recall_bench", "the simulated VISA32.DLL is not on the search path");
  CBoxWatcher boxes;
  CAppFixture app;
  if (!StartLive(app)) return BenchFailed("recall_bench", "the program did not start live");
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "sfp-recall-bench.scpi";
  std::mt19937 random(3207);
  CInstrument& instrument = *theApp.m_pInstrument;
  for (const CSetupStep& step : RandomValidSetup(random)) instrument.SetSetting(*step.m_row, step.m_value);
  if (!SaveSetupTo(path, [] {})) return BenchFailed("recall_bench", "the setup could not be saved");

  std::vector<double> tookMs, floorMs;
  int operations = 0, writes = 0;
  for (int run = 0; run < kRuns; ++run) {
    instrument.Reset();
    mainframe.ClearTraffic();
    auto start = std::chrono::steady_clock::now();
    RecallSetupFrom(path, [] {});
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    tookMs.push_back(took.count());
    operations = IoOperations(mainframe.Traffic(), writes);
    floorMs.push_back(operations * static_cast<double>(kDelayMs));
  }
  ::DeleteFileA(path.c_str());
  if (!boxes.m_boxes.empty()) return BenchFailed("recall_bench", "a recall showed a box");
  // One command per setting, then the Sync's one query per setting.
  if (writes != 2 * static_cast<int>(kSettingCount))
    return BenchFailed("recall_bench", "a recall did not send each setting and each query once");
  double took = Median(tookMs), floor = Median(floorMs);
  PrintRow({"recall of a whole setup, 40 ms per I/O", Milliseconds(took),
            Milliseconds(floor) + " floor: " + std::to_string(operations) + " I/O x 40 ms",
            "<= " + std::to_string(kGoalRatio).substr(0, 3) + " x floor", took <= kGoalRatio * floor});
  return 0;
}
