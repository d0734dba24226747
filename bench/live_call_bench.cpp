// The live instrument's own cost of one change and its read-back: SetFreq
// then GetFreq(1) over a driver that answers at once, beside the same two
// driver calls made straight through the entry points.
#include <cstdio>

#include "bench/bench_report.h"
#include "bench/instant_driver.h"
#include "instrument/app_port.h"
#include "instrument/live_instrument.h"
#include "tgq3207.h"

namespace {
// Construction shows the wait cursor; nothing else of the application is used
// while every call succeeds.
class CQuietPort : public CAppPort {
 public:
  CInstrument* Instrument() override { return m_instrument; }
  std::string LoadText(unsigned) override { return ""; }
  void ShowMessage(const std::string& text) override {
    std::fprintf(stderr, "live_call_bench: unexpected message \"%s\"\n", text.c_str());
  }
  void Beep() override {}
  void StopErrorTimer() override {}
  void StartErrorTimer(unsigned) override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  CInstrument* m_instrument = nullptr;
};

constexpr int kBatches = 31;
constexpr int kCallsPerBatch = 100000;
constexpr double kGoalUs = 2.0;

double FrequencyOfRun(int run) { return 1000.0 + run % 1000; }
}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CQuietPort port;
  SetAppPort(&port);
  CInstantDriver driver;
  CLiveInstrument instrument(CInstantDriver::kSession, &driver);
  port.m_instrument = &instrument;

  double readBack = 0.0;
  std::vector<double> instrumentUs = MicrosecondsPerRun(kBatches, kCallsPerBatch, [&](int run) {
    instrument.SetFreq(FrequencyOfRun(run));
    readBack += instrument.GetFreq(1);
  });

  auto cmdReal = reinterpret_cast<tgq3207_cmdReal_fn>(driver.FindEntryPoint("tgq3207_cmdReal"));
  auto cmdReal64Q =
      reinterpret_cast<tgq3207_cmdReal64_Q_fn>(driver.FindEntryPoint("tgq3207_cmdReal64_Q"));
  double direct = 0.0;
  std::vector<double> driverUs = MicrosecondsPerRun(kBatches, kCallsPerBatch, [&](int run) {
    char header[] = "FREQ";
    char query[] = "FREQ?";
    double reply = 0.0;
    cmdReal(CInstantDriver::kSession, header, FrequencyOfRun(run));
    cmdReal64Q(CInstantDriver::kSession, query, &reply);
    direct += reply;
  });

  // Both loops must have read back every value they sent.
  if (readBack != direct || instrument.GetFreq(0) != FrequencyOfRun(kCallsPerBatch - 1)) {
    std::fprintf(stderr, "live_call_bench: the read-back differs from what was sent\n");
    return 1;
  }
  double own = Median(instrumentUs);
  double floor = Median(driverUs);
  PrintRow({"live instrument SetFreq + GetFreq(1), instant driver", Microseconds(own),
            Microseconds(floor) + " driver calls alone", "< " + Microseconds(kGoalUs),
            own < kGoalUs});
  // The port outlives the instrument, whose Close still calls the driver through it.
  return 0;
}
