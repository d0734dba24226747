// One operator change on its whole road inside the program: Enter in the Main
// panel's frequency field, SetFreq, the read-back and the value shown, with
// real window messages. Measured over a driver that answers at once (what the
// program itself spends) and live on the simulated mainframe through the
// driver DLL (the road as the operator has it). The instant road is compared
// with its floor, the same window work done by a bare dialog over the Main
// panel's template around instant calls; the live road with the driver calls
// of the same change made straight to the driver DLL.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/app_ports.h"
#include "app/sfp_app.h"
#include "bench/bench_report.h"
#include "bench/instant_driver.h"
#include "bench/panel_template.h"
#include "connect/driver_session.h"
#include "connect/loaded_driver_library.h"
#include "instrument/io_call_text.h"
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
constexpr double kGoalRatio = 1.2;
constexpr double kCaptureShare = 0.02;
constexpr double kCaptureShareOfCalls = 0.10;

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

// The floor: what any program must have Wine do for one change. Enter in an
// edit box, under the wait cursor an instant Set, then under it again an
// instant Get of the value and of a second field, both written back. Its
// batches take turns with the program's, so that the machine's load reaches
// both alike.
struct CWindowWorkFloor {
  static CWindowWorkFloor* s_floor;
  CInstantDriver m_driver;
  const CDriverEntryPoints m_entry{m_driver};
  HWND m_dialog = nullptr;

  static void ShowWaitCursor(bool shown) {
    ::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(shown ? IDC_WAIT : IDC_ARROW)));
  }
  static void Write(HWND dialog, int id, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    ::SetDlgItemTextA(dialog, id, text);
  }
  void Enter(HWND dialog) {
    char typed[32] = "", header[] = "FREQ", query[] = "FREQ?", dutyQuery[] = "PULS:DCYC?";
    ::GetDlgItemTextA(dialog, IDC_MAIN_FREQ, typed, sizeof typed);
    ShowWaitCursor(true);
    m_entry.tgq3207_cmdReal(CInstantDriver::kSession, header, std::atof(typed));
    ShowWaitCursor(false);
    ShowWaitCursor(true);
    double frequency = 0.0, duty = 0.0;
    m_entry.tgq3207_cmdReal64_Q(CInstantDriver::kSession, query, &frequency);
    m_entry.tgq3207_cmdReal64_Q(CInstantDriver::kSession, dutyQuery, &duty);
    Write(dialog, IDC_MAIN_FREQ, frequency);
    Write(dialog, IDC_MAIN_DUTY, duty);
    ShowWaitCursor(false);
  }
  static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      s_floor->Enter(dialog);
      return TRUE;
    }
    return message == WM_INITDIALOG;
  }
  void Pump() {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
      if (!::IsDialogMessageA(m_dialog, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
      }
  }
  // The same input as EnterValue gives the program's panel.
  void Change(const char* typed) {
    ::SetFocus(::GetDlgItem(m_dialog, IDC_MAIN_FREQ));
    Pump();
    ::SetDlgItemTextA(m_dialog, IDC_MAIN_FREQ, typed);
    HWND focus = ::GetFocus();
    for (MSG key : {MSG{focus, WM_KEYDOWN, VK_RETURN, 1, 0, {}},
                    MSG{focus, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001), 0, {}}})
      if (!::IsDialogMessageA(m_dialog, &key)) ::DispatchMessageA(&key);
    Pump();
  }
  CWindowWorkFloor() {
    s_floor = this;
    m_dialog = ShowMainPanelTemplate(::GetModuleHandleA(nullptr), DialogProc);
    if (m_dialog != nullptr) Pump();
  }
  ~CWindowWorkFloor() {
    if (m_dialog != nullptr) ::DestroyWindow(::GetParent(m_dialog));
    Pump();
    MSG quit;  // the host window's, not the program's
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  // Adds one batch's microseconds per change; none when a change was not
  // written back.
  void TimeBatch() {
    if (m_dialog == nullptr) return;
    double us = MicrosecondsPerRun(1, kChangesPerBatch, [&](int run) {
      Change(ChangeOfRun(run).m_typed);
    }).front();
    char shown[32] = "";
    ::GetDlgItemTextA(m_dialog, IDC_MAIN_FREQ, shown, sizeof shown);
    if (std::string(shown) == "3") m_perChange.push_back(us);
  }
  std::vector<double> m_perChange;
};
CWindowWorkFloor* CWindowWorkFloor::s_floor = nullptr;

// What the I/O log does for SetFreq and GetFreq(1), the calls themselves left
// out: the value sent and its read-back.
void CaptureASetAndGet(double& frequency) {
  char header[] = "FREQ", query[] = "FREQ?";
  CIoCapture set("tgq3207_cmdReal", header, frequency);
  set.Finish(VI_SUCCESS, header, frequency);
  CIoCapture get("tgq3207_cmdReal64_Q", query, &frequency);
  get.Finish(VI_SUCCESS, query, &frequency);
}

// And for the three calls of a change: also the duty cycle.
void CaptureAChange() {
  char dutyQuery[] = "PULS:DCYC?";
  double frequency = 2.5e6, duty = 50;
  CaptureASetAndGet(frequency);
  CIoCapture dutyGet("tgq3207_cmdReal64_Q", dutyQuery, &duty);
  dutyGet.Finish(VI_SUCCESS, dutyQuery, &duty);
}

// The driver calls of one change on the Main panel: the frequency, its
// read-back and the duty cycle that the panel re-reads with it, on a session
// opened as the program opens it.
std::vector<double> TimeDriverCalls(CSimulatedMainframe& mainframe) {
  std::unique_ptr<CLoadedDriverLibrary> library = CLoadedDriverLibrary::Load();
  std::optional<ViSession> session;
  if (library != nullptr) session = OpenDriverSession(*library, "GPIB-VXI0::24::INSTR", false);
  if (!session) return {};
  const CDriverEntryPoints entry(*library);
  std::vector<double> perChange;
  bool allAnswered = true;
  for (int batch = 0; batch < kBatches && allAnswered; ++batch) {
    perChange.push_back(MicrosecondsPerRun(1, kChangesPerBatch, [&](int run) {
      char header[] = "FREQ";
      char query[] = "FREQ?";
      char dutyCycle[] = "PULS:DCYC?";
      double frequency = 0.0;
      double percent = 0.0;
      double sent = run % 2 ? 3000.0 : 2.5e6;
      allAnswered = entry.tgq3207_cmdReal(*session, header, sent) == VI_SUCCESS &&
                    entry.tgq3207_cmdReal64_Q(*session, query, &frequency) == VI_SUCCESS && frequency == sent &&
                    entry.tgq3207_cmdReal64_Q(*session, dutyCycle, &percent) == VI_SUCCESS && allAnswered;
    }).front());
    mainframe.ClearTraffic();
  }
  entry.tgq3207_close(*session);
  if (!allAnswered) perChange.clear();
  return perChange;
}
}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CSimulatedMainframe mainframe;  // before the program, which stops first
  if (!mainframe.IsLoaded()) return BenchFailed("change_bench", "the simulated VISA32.DLL is not on the search path");

  CInstantDriver instantDriver;
  std::vector<double> instantUs;
  std::vector<double> instrumentUs;
  std::vector<double> captureUs;
  std::vector<double> setAndGetCaptureUs;
  std::vector<double> floorUs;
  {
    CWindowWorkFloor floor;
    CAppFixture app;
    InstallAppPorts();  // the instrument's construction shows the wait cursor
    if (!StartedWithoutBoxes(app, new CLiveInstrument(CInstantDriver::kSession, &instantDriver),
                             "", true))
      return BenchFailed("change_bench", "the program did not start on the instant driver");
    instantUs = TimeChanges(app, [&] { floor.TimeBatch(); });
    if (floor.m_perChange.size() == instantUs.size()) floorUs = floor.m_perChange;
    instrumentUs = MicrosecondsPerRun(kBatches, kChangesPerBatch, [](int run) {
      theApp.m_pInstrument->SetFreq(run % 2 ? 3000.0 : 2.5e6);
      theApp.m_pInstrument->GetFreq(1);
    });
    captureUs = MicrosecondsPerRun(kBatches, kChangesPerBatch, [](int) { CaptureAChange(); });
    setAndGetCaptureUs = MicrosecondsPerRun(kBatches, kChangesPerBatch, [](int run) {
      double frequency = run % 2 ? 3000.0 : 2.5e6;
      CaptureASetAndGet(frequency);
    });
  }
  std::vector<double> simulatedUs;
  {
    CAppFixture app;
    if (!StartedWithoutBoxes(app, nullptr, "-a GPIB-VXI0::24::INSTR", true))
      return BenchFailed("change_bench", "the program did not start live on the simulated mainframe");
    simulatedUs = TimeChanges(app, [&] { mainframe.ClearTraffic(); });
    if (!simulatedUs.empty() && mainframe.StateOf("freq") != "3000")
      return BenchFailed("change_bench", "the simulated instrument did not take the last change");
  }
  std::vector<double> driverUs = TimeDriverCalls(mainframe);
  if (instantUs.empty() || simulatedUs.empty() || driverUs.empty() || floorUs.empty())
    return BenchFailed("change_bench", "a change was not read back as sent");

  double instant = Median(instantUs);
  double simulated = Median(simulatedUs);
  double floor = Median(floorUs);
  double instrumentCalls = Median(instrumentUs);
  char goalRatio[32];
  char ratio[64];
  std::snprintf(ratio, sizeof ratio, ", x%.2f", instant / floor);
  std::snprintf(goalRatio, sizeof goalRatio, "ratio <= %.2f", kGoalRatio);
  PrintRow({"change end to end, instant driver", Microseconds(instant) + ratio,
            Microseconds(floor) + " window work alone (minimal dialog), instrument calls " +
                Microseconds(instrumentCalls),
            goalRatio, instant <= kGoalRatio * floor});
  double capture = Median(captureUs);
  PrintRow({"I/O log capture of a change's 3 calls", Microseconds(capture) + ShareText(capture, instant, 3),
            Microseconds(instant) + " one change, instant driver", "<= 2 % of one change",
            capture <= kCaptureShare * instant});
  double setAndGetCapture = Median(setAndGetCaptureUs);
  PrintRow({"I/O log capture of SetFreq + GetFreq(1)",
            Microseconds(setAndGetCapture) + ShareText(setAndGetCapture, instrumentCalls, 1),
            Microseconds(instrumentCalls) + " the instrument's calls, instant driver",
            "<= 10 % of the calls", setAndGetCapture <= kCaptureShareOfCalls * instrumentCalls});
  std::string goal = "< " + Microseconds(kGoalUs);
  PrintRow({"change end to end, driver DLL + simulated VISA", Microseconds(simulated),
            Microseconds(Median(driverUs)) + " driver calls alone", goal, simulated < kGoalUs});
  return 0;
}
