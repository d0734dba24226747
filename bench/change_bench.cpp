// One operator change on its whole road inside the program: Enter in the Main
// panel's frequency field, SetFreq, the read-back and the value shown, with
// real window messages. Measured over a driver that answers at once (what the
// program itself spends) and live on the simulated mainframe through the
// driver DLL (the road as the operator has it), beside what the road costs
// without the windows: the instrument's calls alone over the instant driver,
// and the driver calls of the same change made straight to the driver DLL.
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/app_ports.h"
#include "app/sfp_app.h"
#include "bench/bench_report.h"
#include "bench/instant_driver.h"
#include "instrument/live_instrument.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"
#include "tgq3207.h"

namespace {
constexpr int kBatches = 15;
constexpr int kChangesPerBatch = 100;
constexpr double kGoalUs = 100.0;

struct CChange {
  const char* m_typed;
  const char* m_shown;
};
const CChange kChanges[] = {{"2.5M", "2.5 MHz"}, {"3k", "3 kHz"}};
const CChange& ChangeOfRun(int run) { return kChanges[run % 2]; }

bool StartedWithoutBoxes(CAppFixture& app, CInstrument* instrument, const std::string& commandLine,
                         bool live) {
  CBoxWatcher boxes;
  app.Start(instrument, commandLine);
  bool isLive = theApp.m_pInstrument != nullptr && theApp.m_pInstrument->m_live != 0;
  return app.Panel() != nullptr && boxes.m_boxes.empty() && isLive == live;
}

// Microseconds per change, one value per batch; `betweenBatches` runs outside
// the timing. Empty when a change did not show its read-back.
template <typename BetweenBatches>
std::vector<double> TimeChanges(CAppFixture& app, BetweenBatches betweenBatches) {
  HWND panel = app.Panel();
  std::vector<double> perChange;
  for (int batch = 0; batch < kBatches; ++batch) {
    std::vector<double> batchUs = MicrosecondsPerRun(1, kChangesPerBatch, [&](int run) {
      EnterValue(panel, IDC_MAIN_FREQ, ChangeOfRun(run).m_typed);
    });
    if (TextOf(panel, IDC_MAIN_FREQ) != ChangeOfRun(kChangesPerBatch - 1).m_shown) return {};
    perChange.push_back(batchUs.front());
    betweenBatches();
  }
  return perChange;
}

int Fail(const char* what) {
  std::fprintf(stderr, "change_bench: %s\n", what);
  return 1;
}

template <typename Function>
Function Entry(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// The driver calls of one change on the Main panel: the frequency, its
// read-back and the duty cycle that the panel re-reads with it.
std::vector<double> TimeDriverCalls(CSimulatedMainframe& mainframe) {
  HMODULE module = ::LoadLibraryA("tgq3207_32.dll");
  if (module == nullptr) return {};
  auto init = Entry<tgq3207_init_fn>(module, "tgq3207_init");
  auto timeOut = Entry<tgq3207_timeOut_fn>(module, "tgq3207_timeOut");
  auto detect = Entry<tgq3207_errorQueryDetect_fn>(module, "tgq3207_errorQueryDetect");
  auto cmdReal = Entry<tgq3207_cmdReal_fn>(module, "tgq3207_cmdReal");
  auto cmdReal64Q = Entry<tgq3207_cmdReal64_Q_fn>(module, "tgq3207_cmdReal64_Q");
  auto close = Entry<tgq3207_session_fn>(module, "tgq3207_close");
  std::vector<double> perChange;
  char resource[] = "GPIB-VXI0::24::INSTR";
  ViSession vi = VI_NULL;
  bool bound = init && timeOut && detect && cmdReal && cmdReal64Q && close;
  if (bound && init(resource, VI_FALSE, VI_FALSE, &vi) == VI_SUCCESS) {
    timeOut(vi, 5000);
    detect(vi, VI_TRUE);
    bool allAnswered = true;
    for (int batch = 0; batch < kBatches && allAnswered; ++batch) {
      perChange.push_back(MicrosecondsPerRun(1, kChangesPerBatch, [&](int run) {
        char header[] = "FREQ";
        char query[] = "FREQ?";
        char dutyCycle[] = "PULS:DCYC?";
        double frequency = 0.0;
        double percent = 0.0;
        double sent = run % 2 ? 3000.0 : 2.5e6;
        allAnswered = cmdReal(vi, header, sent) == VI_SUCCESS &&
                      cmdReal64Q(vi, query, &frequency) == VI_SUCCESS && frequency == sent &&
                      cmdReal64Q(vi, dutyCycle, &percent) == VI_SUCCESS && allAnswered;
      }).front());
      mainframe.ClearTraffic();
    }
    close(vi);
    if (!allAnswered) perChange.clear();
  }
  ::FreeLibrary(module);
  return perChange;
}
}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CSimulatedMainframe mainframe;  // before the program, which stops first
  if (!mainframe.IsLoaded()) return Fail("the simulated VISA32.DLL is not on the search path");

  CInstantDriver instantDriver;
  std::vector<double> instantUs;
  std::vector<double> instrumentUs;
  {
    CAppFixture app;
    InstallAppPorts();  // the instrument's construction shows the wait cursor
    if (!StartedWithoutBoxes(app, new CLiveInstrument(CInstantDriver::kSession, &instantDriver),
                             "", true))
      return Fail("the program did not start on the instant driver");
    instantUs = TimeChanges(app, [] {});
    instrumentUs = MicrosecondsPerRun(kBatches, kChangesPerBatch, [](int run) {
      theApp.m_pInstrument->SetFreq(run % 2 ? 3000.0 : 2.5e6);
      theApp.m_pInstrument->GetFreq(1);
    });
  }
  std::vector<double> simulatedUs;
  {
    CAppFixture app;
    if (!StartedWithoutBoxes(app, nullptr, "-a GPIB-VXI0::24::INSTR", true))
      return Fail("the program did not start live on the simulated mainframe");
    simulatedUs = TimeChanges(app, [&] { mainframe.ClearTraffic(); });
    if (!simulatedUs.empty() && mainframe.StateOf("freq") != "3000")
      return Fail("the simulated instrument did not take the last change");
  }
  std::vector<double> driverUs = TimeDriverCalls(mainframe);
  if (instantUs.empty() || simulatedUs.empty() || driverUs.empty())
    return Fail("a change was not read back as sent");

  double instant = Median(instantUs);
  double simulated = Median(simulatedUs);
  std::string goal = "< " + Microseconds(kGoalUs);
  PrintRow({"change end to end, instant driver", Microseconds(instant),
            Microseconds(Median(instrumentUs)) + " instrument calls alone", goal,
            instant < kGoalUs});
  PrintRow({"change end to end, driver DLL + simulated VISA", Microseconds(simulated),
            Microseconds(Median(driverUs)) + " driver calls alone", goal, simulated < kGoalUs});
  return 0;
}
