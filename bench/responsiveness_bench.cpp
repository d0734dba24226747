// How long the main window leaves a message unanswered while the instrument
// is slow: System > Sync on a Q3207 that takes 40 ms over every write and
// read (also with the I/O log window open and filling), and one frequency change on a Q3207 that answers nothing within the
// 5 s time-out. A thread of the bench sends the window WM_NULL every 2 ms and
// keeps the longest wait for an answer; the figure is the median over the
// runs, beside how long the operation took, which a window that made the
// driver calls itself would have left unanswered (one call, for the
// time-outs).
#include <windows.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "connect/driver_session.h"
#include "connect/loaded_driver_library.h"
#include "instrument/live_instrument.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/message_prober.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"

namespace {
constexpr int kSyncRuns = 7;
constexpr int kTimeOutRuns = 3;
constexpr double kGoalMs = 100.0;

struct CRuns {
  std::vector<double> m_longestMs;
  std::vector<double> m_tookMs;
};

template <typename Operation>
void TimeRun(HWND window, CRuns& runs, Operation operation) {
  CMessageProber prober(window);
  auto start = std::chrono::steady_clock::now();
  operation();
  runs.m_longestMs.push_back(prober.Stop());
  std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
  runs.m_tookMs.push_back(took.count());
}

void Print(const char* figure, const CRuns& runs, const char* baseline) {
  double longest = Median(runs.m_longestMs);
  PrintRow({figure, Milliseconds(longest),
            Milliseconds(Median(runs.m_tookMs)) + " " + baseline,
            "<= " + Milliseconds(kGoalMs), longest <= kGoalMs});
}

}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CSimulatedMainframe mainframe((std::string(kSimulatedQ3207) + "delay-ms 40\n").c_str());
  if (!mainframe.IsLoaded()) return BenchFailed("responsiveness_bench", "the simulated VISA32.DLL is not on the search path");

  CRuns sync, syncLogged;
  {
    CBoxWatcher boxes;
    CAppFixture app;
    if (!StartLive(app)) return BenchFailed("responsiveness_bench", "the program did not start live");
    for (int run = 0; run < kSyncRuns; ++run)
      TimeRun(app.Main(), sync, [&] { app.Command(ID_SYSTEM_SYNC); });
    app.Command(ID_SYSTEM_IO_LOG);
    for (int run = 0; run < kSyncRuns; ++run)
      TimeRun(app.Main(), syncLogged, [&] { app.Command(ID_SYSTEM_SYNC); });
    if (!boxes.m_boxes.empty()) return BenchFailed("responsiveness_bench", "a Sync showed a box");
  }

  // Each write and read waits out the whole time-out: the session opens
  // without I/O, and start-up's Sync ends at its first query.
  mainframe.Configure((std::string(kSimulatedQ3207) + "delay-ms 6000\n").c_str());
  CRuns timeOut;
  {
    std::unique_ptr<CLoadedDriverLibrary> driver = CLoadedDriverLibrary::Load();
    std::optional<ViSession> session;
    if (driver != nullptr) session = OpenDriverSession(*driver, kSimulatedResource, false);
    if (!session) return BenchFailed("responsiveness_bench", "the driver did not open the simulated instrument");
    CBoxWatcher boxes;
    CAppFixture app;
    app.Start(new CLiveInstrument(*session, driver.get()));
    boxes.m_boxes.clear();
    for (int run = 0; run < kTimeOutRuns; ++run)
      TimeRun(app.Main(), timeOut, [&] { EnterValue(app.Panel(), IDC_MAIN_FREQ, "2k"); });
    if (boxes.Texts() != std::vector<std::string>(2 * kTimeOutRuns, "Time Out !"))
      return BenchFailed("responsiveness_bench", "a change did not time out on its command and its read-back");
    app.Stop();
  }

  Print("longest unanswered, Sync, 40 ms per I/O", sync, "the Sync");
  Print("the same with the I/O log window open", syncLogged, "the Sync");
  Print("longest unanswered, change timing out", timeOut, "the change, 2 calls");
  return 0;
}
