#include "bench/bench_report.h"

#include <gtest/gtest.h>

namespace {

TEST(Median, IsTheMiddleOfAnUnsortedOddCountAndTheMeanOfTheTwoMiddlesOfAnEvenCount) {
  EXPECT_EQ(Median({9.0, 1.0, 5.0}), 5.0);
  EXPECT_EQ(Median({7.0, 1.0, 3.0, 100.0}), 5.0);
  EXPECT_EQ(Median({4.0}), 4.0);
  EXPECT_EQ(Median({2.0, 2.0, 8.0, 2.0}), 2.0);
  EXPECT_EQ(Median({}), 0.0);
}

TEST(Median, IgnoresOutliersOnEitherSide) {
  EXPECT_EQ(Median({1e9, 10.0, 11.0, 12.0, 0.0}), 11.0);
}

TEST(Units, KeepThreeSignificantDigits) {
  EXPECT_EQ(Microseconds(0.0512), "0.051 us");
  EXPECT_EQ(Microseconds(0.9996), "1.00 us");
  EXPECT_EQ(Microseconds(1.234), "1.23 us");
  EXPECT_EQ(Microseconds(56.78), "56.8 us");
  EXPECT_EQ(Microseconds(99.96), "100 us");
  EXPECT_EQ(Microseconds(9.999), "10.0 us");
  EXPECT_EQ(Milliseconds(123.4), "123 ms");
  EXPECT_EQ(Milliseconds(1500.0), "1500 ms");
}

TEST(Table, RowsLineUpUnderTheHeaderAndSayWhetherTheGoalIsMet) {
  std::string header = TableHeader();
  std::string met = FormatRow({"start-up", "120 ms, x1.20", "100 ms", "ratio <= 1.50", true});
  std::string missed = FormatRow({"change", "150 us", "-", "< 100 us", false});
  EXPECT_EQ(header.find("measured"), met.find("120 ms"));
  EXPECT_EQ(header.find("baseline"), met.find("100 ms"));
  EXPECT_EQ(header.find("goal"), missed.find("< 100 us"));
  EXPECT_EQ(met.substr(header.find("met")), "met");
  EXPECT_EQ(missed.substr(header.find("met")), "not met");
  EXPECT_EQ(met.find("start-up"), 0u);
}

TEST(MicrosecondsPerRun, GivesOneMeanPerBatchAndRunsTheBodyWithEachRunIndex) {
  std::vector<int> seen;
  std::vector<double> us = MicrosecondsPerRun(3, 4, [&](int run) { seen.push_back(run); });
  ASSERT_EQ(us.size(), 3u);
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3}));
  for (double value : us) EXPECT_GE(value, 0.0);
}

}  // namespace
