#include "instrument/step_value.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "instrument/eng_units.h"

namespace {

TEST(Pow10, MultipliesRepeatedly) {
  EXPECT_EQ(Pow10(0), 1.0);
  EXPECT_EQ(Pow10(3), 1000.0);
  EXPECT_EQ(Pow10(-1), 0.1);
  EXPECT_EQ(Pow10(-3), 0.1 * 0.1 * 0.1);
  EXPECT_NE(Pow10(-3), 1e-3);
  EXPECT_TRUE(std::isfinite(Pow10(308)));
  EXPECT_TRUE(std::isinf(Pow10(309)));
  EXPECT_EQ(Pow10(-400), 0.0);
  EXPECT_TRUE(std::isinf(Pow10(INT16_MAX)));
  EXPECT_EQ(Pow10(INT16_MIN), 0.0);
}

struct StepCase {
  double value;
  double up;
  double down;
};

TEST(StepValue, SnapsToTheNeighbouringScaleValue) {
  const StepCase cases[] = {
      {1, 2, 0.9},      {9, 10, 8},        {10, 20, 9},       {9.9, 10, 9},
      {9.95, 20, 9},    {1000, 2000, 900}, {15e6, 2e7, 1e7},  {2.05, 3, 1},
      {2.2, 3, 2},      {1.85, 2, 1},      {1.05, 2, 0.9},    {8.95, 10, 8},
      {1.95, 3, 1},     {9.15, 10, 9},     {0.5, 0.6, 0.4},   {3.3e-9, 4e-9, 3e-9},
  };
  for (const StepCase& c : cases) {
    EXPECT_DOUBLE_EQ(StepValue(c.value, 1), c.up) << c.value;
    EXPECT_DOUBLE_EQ(StepValue(c.value, 0), c.down) << c.value;
  }
}

// Every scale value from 1e-6 to 9e6 steps to the next one and back to itself.
TEST(StepValue, WalksTheScaleBothWays) {
  for (int16_t decade = -6; decade <= 6; ++decade) {
    for (int digit = 1; digit <= 9; ++digit) {
      const double value = digit * Pow10(decade);
      const double up = digit == 9 ? Pow10(static_cast<int16_t>(decade + 1)) : (digit + 1) * Pow10(decade);
      EXPECT_EQ(StepValue(value, 1), up) << value;
      EXPECT_EQ(StepValue(up, 0), value) << up;
    }
  }
}

TEST(StepValue, StepsOfAMilliShowAsTheFieldsPrintThem) {
  const double up = StepValue(0.001, 1);
  const double down = StepValue(0.001, 0);
  EXPECT_EQ(up, 2 * Pow10(-3));
  EXPECT_EQ(down, 9 * Pow10(-4));
  EXPECT_EQ(ShowValueText(up, "%g", "V", false), "2 mV");
  EXPECT_EQ(ShowValueText(down, "%g", "V", false), "900 uV");
}

TEST(StepValue, ZeroStaysZero) {
  for (double zero : {0.0, -0.0}) {
    for (int16_t up : {0, 1, -1}) {
      const double result = StepValue(zero, up);
      EXPECT_EQ(result, 0.0);
      EXPECT_FALSE(std::signbit(result));
    }
  }
}

// Values without a neighbour come back unchanged.
TEST(StepValue, ValuesWithoutANeighbourStay) {
  const double inf = std::numeric_limits<double>::infinity();
  const double largest = std::numeric_limits<double>::max();
  for (double v : {-5.0, -0.001, -largest, -inf, inf, std::numeric_limits<double>::denorm_min(), 1e-310,
                   std::numeric_limits<double>::min(), 1e-307}) {
    EXPECT_EQ(StepValue(v, 1), v) << v;
    EXPECT_EQ(StepValue(v, 0), v) << v;
  }
  EXPECT_EQ(StepValue(largest, 1), largest);
  EXPECT_EQ(StepValue(9.95e307, 1), 9.95e307);
  EXPECT_TRUE(std::isnan(StepValue(std::numeric_limits<double>::quiet_NaN(), 1)));
  EXPECT_TRUE(std::isnan(StepValue(std::numeric_limits<double>::quiet_NaN(), 0)));
}

TEST(StepValue, EdgesOfTheDoubleRange) {
  const double largest = std::numeric_limits<double>::max();
  EXPECT_EQ(StepValue(largest, 0), Pow10(308));
  EXPECT_EQ(StepValue(9.5e307, 1), Pow10(308));
  EXPECT_EQ(StepValue(5e307, 1), 6 * Pow10(307));
  EXPECT_EQ(StepValue(1e-300, 1), 2 * Pow10(-300));
  EXPECT_EQ(StepValue(1e-300, 0), 9 * Pow10(-301));
  EXPECT_EQ(StepValue(1.5e-306, 0), Pow10(-306));
}

}  // namespace
