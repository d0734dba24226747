// Discovery's search and identification over 25 simulated resources that all
// pass (GPIB instruments that answer "*IDN?", VXI and GPIB-VXI modules that
// identify by their attributes), beside the same VISA calls made by a bare
// loop: what discovery spends beyond the resources' own I/O.
#include <windows.h>

#include <string>

#include "bench/bench_report.h"
#include "connect/instrument_search.h"
#include "connect/visa_library.h"
#include "connect/visa_session.h"
#include "tests/support/simulated_mainframe.h"

namespace {
constexpr int kRuns = 21;
constexpr size_t kResources = 25;
constexpr double kGoalMs = 50.0;
const char kIdnPrefix[] = "TARROWS-GIMBELL,Q3207";

std::string TwentyFiveResources() {
  std::string config;
  for (int n = 1; n <= 9; ++n) config += "resource GPIB0::" + std::to_string(n) + "::INSTR\n";
  for (int n = 30; n < 38; ++n)
    config += "resource VXI0::" + std::to_string(n) + "::INSTR\nmanf 0x0FFF\nmodel 0x0244\n";
  for (int n = 40; n < 48; ++n)
    config += "resource GPIB-VXI0::" + std::to_string(n) + "::INSTR\nmanf 0x0FFF\nmodel 0x0244\n";
  return config;
}

// The calls discovery makes for one resource, without its decisions.
void BareIdentification(const CVisaEntryPoints& visa, ViSession rm, char* name) {
  ViSession vi = VI_NULL;
  visa.open(rm, name, VI_NULL, VI_NULL, &vi);
  ViUInt16 intf = 0;
  visa.getAttribute(vi, VI_ATTR_INTF_TYPE, &intf);
  if (intf == VI_INTF_GPIB) {
    ViByte query[] = {'*', 'I', 'D', 'N', '?'};
    ViByte reply[256];
    ViUInt32 count = 0;
    visa.write(vi, query, sizeof query, &count);
    visa.read(vi, reply, 100, &count);
  } else {
    ViUInt16 value = 0;
    visa.getAttribute(vi, VI_ATTR_MANF_ID, &value);
    visa.getAttribute(vi, VI_ATTR_MODEL_CODE, &value);
  }
  visa.close(vi);
}

size_t BareSearch(const CVisaEntryPoints& visa, ViSession rm) {
  char expression[] = "?*INSTR";
  char name[VI_FIND_BUFLEN] = "";
  ViFindList list = VI_NULL;
  ViUInt32 matches = 0;
  visa.findRsrc(rm, expression, &list, &matches, name);
  for (ViUInt32 index = 0; index < matches; ++index) {
    if (index > 0) visa.findNext(list, name);
    BareIdentification(visa, rm, name);
  }
  visa.close(list);
  return matches;
}

template <typename Search>
std::vector<double> MillisecondsPerSearch(CSimulatedMainframe& mainframe, Search search) {
  std::vector<double> ms;
  for (int run = 0; run < kRuns; ++run) {
    ms.push_back(MicrosecondsPerRun(1, 1, search).front() / 1000.0);
    mainframe.ClearTraffic();
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  PrintHeaderIfAsked(argc, argv);
  CSimulatedMainframe mainframe(TwentyFiveResources().c_str());
  CVisaLibrary library;
  if (!mainframe.IsLoaded() || !library.Load())
    return BenchFailed("discovery_bench", "the simulated VISA32.DLL is not on the search path");
  const CVisaEntryPoints& visa = library.EntryPoints();
  CVisaResourceManager rm(visa);
  if (!rm.IsOpen()) return BenchFailed("discovery_bench", "the resource manager did not open");

  size_t found = 0;
  size_t listed = 0;
  std::vector<double> discoveryMs = MillisecondsPerSearch(mainframe, [&](int) {
    std::vector<std::string> candidates = FindCandidates(visa, rm.Handle(), false, kIdnPrefix);
    found = candidates.size();
    // Eight candidates on GPIB-VXI resources: the operator is asked.
    if (ChooseWithoutAsking(candidates, false)) found = 0;
  });
  std::vector<double> bareMs =
      MillisecondsPerSearch(mainframe, [&](int) { listed = BareSearch(visa, rm.Handle()); });
  if (found != kResources || listed != kResources)
    return BenchFailed("discovery_bench", "not every simulated resource was found and identified");

  double discovery = Median(discoveryMs);
  double bare = Median(bareMs);
  PrintRow({"discovery, 25 simulated resources", Milliseconds(discovery),
            Milliseconds(bare) + " bare VISA calls",
            "< " + Milliseconds(kGoalMs) + " beyond", discovery - bare < kGoalMs});
  return 0;
}
