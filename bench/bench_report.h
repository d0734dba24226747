// The figures of the speed benchmarks: medians of repeated measurements and
// the one table every benchmark prints its rows into.
#pragma once

#include <chrono>
#include <string>
#include <vector>

// The middle value; for an even count the mean of the two middle values.
// 0 when there are no samples.
double Median(std::vector<double> samples);

struct CBenchRow {
  std::string m_figure;
  std::string m_measured;
  std::string m_baseline;
  std::string m_goal;
  bool m_met = false;
};

std::string TableHeader();
// Prints the header when the command line holds "--header": the first of the
// benchmark programs that a run starts is given it.
void PrintHeaderIfAsked(int argc, char** argv);
std::string FormatRow(const CBenchRow& row);
// Says on standard error why benchmark `bench` could not measure; gives the
// exit status of a failed run.
int BenchFailed(const char* bench, const char* what);
// Writes the row to standard output at once, so that the rows of several
// benchmark programs interleave in the order they were measured.
void PrintRow(const CBenchRow& row);

// "12.3 us", "4.56 ms", "0.023 us": three significant digits, at least
// three decimals below one.
std::string Microseconds(double us);
std::string Milliseconds(double ms);
// ", 12.5 %": `part` as a share of `whole`, with `decimals` decimals.
std::string ShareText(double part, double whole, int decimals);

// Runs `body` `perBatch` times in each of `batches` batches and gives, per
// batch, the mean time of one run in microseconds.
template <typename Body>
std::vector<double> MicrosecondsPerRun(int batches, int perBatch, Body body) {
  std::vector<double> perRun;
  for (int batch = 0; batch < batches; ++batch) {
    auto start = std::chrono::steady_clock::now();
    for (int run = 0; run < perBatch; ++run) body(run);
    std::chrono::duration<double, std::micro> spent = std::chrono::steady_clock::now() - start;
    perRun.push_back(spent.count() / perBatch);
  }
  return perRun;
}
