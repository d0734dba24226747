#include "bench/bench_report.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
std::string ThreeDigits(double value, const char* unit) {
  // The thresholds sit where rounding would add a digit (99.96 is "100").
  const char* format = value >= 99.95   ? "%.0f %s"
                       : value >= 9.995  ? "%.1f %s"
                       : value >= 0.9995 ? "%.2f %s"
                                         : "%.3f %s";
  char text[64];
  std::snprintf(text, sizeof text, format, value, unit);
  return text;
}

std::string Cells(const std::string& figure, const std::string& measured,
                  const std::string& baseline, const std::string& goal, const std::string& met) {
  char text[512];
  std::snprintf(text, sizeof text, "%-52s %-14s %-32s %-18s %s", figure.c_str(), measured.c_str(),
                baseline.c_str(), goal.c_str(), met.c_str());
  return text;
}
}  // namespace

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  size_t middle = samples.size() / 2;
  std::nth_element(samples.begin(), samples.begin() + middle, samples.end());
  double upper = samples[middle];
  if (samples.size() % 2 == 1) return upper;
  double lower = *std::max_element(samples.begin(), samples.begin() + middle);
  return (lower + upper) / 2.0;
}

std::string TableHeader() { return Cells("figure", "measured", "baseline", "goal", "met"); }

void PrintHeaderIfAsked(int argc, char** argv) {
  for (int arg = 1; arg < argc; ++arg)
    if (std::strcmp(argv[arg], "--header") == 0) std::printf("%s\n", TableHeader().c_str());
}

std::string FormatRow(const CBenchRow& row) {
  return Cells(row.m_figure, row.m_measured, row.m_baseline, row.m_goal,
               row.m_met ? "met" : "not met");
}

void PrintRow(const CBenchRow& row) {
  std::printf("%s\n", FormatRow(row).c_str());
  std::fflush(stdout);
}

std::string Microseconds(double us) { return ThreeDigits(us, "us"); }

std::string Milliseconds(double ms) { return ThreeDigits(ms, "ms"); }

std::string ShareText(double part, double whole, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, ", %.*f %%", decimals, 100 * part / whole);
  return text;
}

int BenchFailed(const char* bench, const char* what) {
  std::fprintf(stderr, "%s: %s\n", bench, what);
  return 1;
}
