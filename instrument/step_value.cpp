#include "instrument/step_value.h"

#include <cmath>

namespace {

// Below this decade the powers of ten built by repeated multiplication are no
// longer normal doubles, and the neighbours would lose their precision.
constexpr int kLowestDecade = -306;

// A row of a step table: a digit ratio below `below` steps to
// digit x 10^(decade + decadeOffset). The last row of each table catches the rest.
struct StepRow {
  double below;
  double digit;
  int16_t decadeOffset;
};

constexpr double kRest = HUGE_VAL;

constexpr StepRow kUpRows[] = {
    {1.9, 2, 0}, {2.9, 3, 0}, {3.9, 4, 0}, {4.9, 5, 0}, {5.9, 6, 0},
    {6.9, 7, 0}, {7.9, 8, 0}, {8.9, 9, 0}, {kRest, 1, 1},
};

constexpr StepRow kDownRows[] = {
    {1.1, 9, -1}, {2.1, 1, 0}, {3.1, 2, 0}, {4.1, 3, 0}, {5.1, 4, 0},
    {6.1, 5, 0},  {7.1, 6, 0}, {8.1, 7, 0}, {9.1, 8, 0}, {kRest, 9, 0},
};

// The neighbour of the positive finite v by a step table, its decade being
// that of decadeOf.
template <size_t N>
double Neighbour(double v, double decadeOf, const StepRow (&rows)[N]) {
  const double decade = std::floor(std::log10(decadeOf));
  if (decade < kLowestDecade) return v;
  // decadeOf is a positive finite double: its decade lies within -324..308.
  const auto e = static_cast<int16_t>(decade);
  const double ratio = v / Pow10(e);
  for (const StepRow& row : rows) {
    if (ratio < row.below) {
      const double next = row.digit * Pow10(static_cast<int16_t>(e + row.decadeOffset));
      return std::isfinite(next) ? next : v;
    }
  }
  return v;
}

}  // namespace

double Pow10(int16_t n) {
  double result = 1.0;
  for (int i = 0; i < n; ++i) result *= 10.0;
  for (int i = 0; i > n; --i) result *= 0.1;
  return result;
}

double StepValue(double v, int16_t up) {
  if (v == 0.0) return 0.0;
  if (!(v > 0.0) || std::isinf(v)) return v;
  if (!up) return Neighbour(v, v, kDownRows);
  // The factor places a value just below a power of ten in the next decade.
  const double nudged = v * 1.01;
  return std::isinf(nudged) ? v : Neighbour(v, nudged, kUpRows);
}
