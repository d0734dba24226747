// The live instrument's own cost of one change and its read-back: SetFreq
// then GetFreq(1) over a driver that answers at once, beside the same two
// driver calls made straight through the entry points; and what the I/O log's
// capture adds to them, its batches taking turns with batches without it.
#include <cstdio>

#include "bench/bench_report.h"
#include "bench/instant_driver.h"
#include "instrument/app_port.h"
#include "instrument/io_log.h"
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
constexpr double kCaptureShare = 0.10;

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
  auto setAndGet = [&](int run) {
    instrument.SetFreq(FrequencyOfRun(run));
    readBack += instrument.GetFreq(1);
  };
  std::vector<double> instrumentUs;
  std::vector<double> captureUs;
  for (int batch = 0; batch < kBatches; ++batch) {
    IoLog().m_enabled = false;
    double unlogged = MicrosecondsPerRun(1, kCallsPerBatch, setAndGet).front();
    IoLog().m_enabled = true;
    instrumentUs.push_back(MicrosecondsPerRun(1, kCallsPerBatch, setAndGet).front());
    captureUs.push_back(instrumentUs.back() - unlogged);
  }

  const CDriverEntryPoints entry(driver);
  double direct = 0.0;
  std::vector<double> driverUs = MicrosecondsPerRun(kBatches, kCallsPerBatch, [&](int run) {
    char header[] = "FREQ";
    char query[] = "FREQ?";
    double reply = 0.0;
    entry.tgq3207_cmdReal(CInstantDriver::kSession, header, FrequencyOfRun(run));
    entry.tgq3207_cmdReal64_Q(CInstantDriver::kSession, query, &reply);
    direct += reply;
  });

  // Both loops must have read back every value they sent.
  if (readBack != 2 * direct || instrument.GetFreq(0) != FrequencyOfRun(kCallsPerBatch - 1)) {
    std::fprintf(stderr, "live_call_bench: the read-back differs from what was sent\n");
    return 1;
  }
  double own = Median(instrumentUs);
  double floor = Median(driverUs);
  PrintRow({"live instrument SetFreq + GetFreq(1), instant driver", Microseconds(own),
            Microseconds(floor) + " driver calls alone", "< " + Microseconds(kGoalUs),
            own < kGoalUs});
  double capture = Median(captureUs);
  PrintRow({"I/O log capture of SetFreq + GetFreq(1) (log on minus off)",
            Microseconds(capture) + ShareText(capture, floor, 0),
            Microseconds(floor) + " driver calls alone", "<= 10 % of the driver calls",
            capture <= kCaptureShare * floor});
  // The port outlives the instrument, whose Close still calls the driver through it.
  return 0;
}
