// Arbitrary text must read without a crash; arbitrary doubles must show as
// text that reads back close to the shown value, and show without a crash in
// any format; decade steps must move away from a positive value in the
// direction asked.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "instrument/eng_units.h"
#include "instrument/step_value.h"

namespace {

const std::string kFormats[] = {"%g", "%1.0f"};
const std::string kUnits[] = {"Hz", "Vpp", "V", "%", "Deg", "S", "Cycles", ""};
constexpr double kUntouched = -42.0;

void Require(bool holds, const char* what, double v, const std::string& text) {
  if (holds) return;
  std::fprintf(stderr, "%s: value %.17g text \"%s\"\n", what, v, text.c_str());
  std::abort();
}

// "%g" keeps six significant digits of the number it is given, so the text
// differs from it by at most half a unit in the sixth digit: 5e-6 of the value,
// plus half the smallest denormal that reading back may round to. "%1.0f"
// rounds to whole units: of the prefix (never more than half the value) or,
// unscaled, of one.
double Tolerance(const std::string& format, double v, bool scaled) {
  const double magnitude = std::fabs(v);
  if (format == "%g") return 5e-6 * magnitude * (1 + 1e-9) + std::numeric_limits<double>::denorm_min();
  return scaled ? 0.5 * magnitude * (1 + 1e-9) : 0.5 + 1e-15 * magnitude;
}

double ReadBack(const std::string& text, bool allowInf) {
  double last = kUntouched;
  const double read = ReadValueText(text, allowInf, last);
  Require(std::isfinite(read), "read a non-finite value", read, text);
  return read;
}

void CheckShown(const std::string& text, double v, const std::string& format, const std::string& unit,
                bool allowInf, bool scaled) {
  if (std::isnan(v)) {
    Require(text == "NaN " + unit, "NaN text", v, text);
  } else if (allowInf && v > 9.89e37) {
    Require(text == "INF " + unit, "infinite text", v, text);
    Require(ReadBack(text, allowInf) == kInfiniteValue, "infinite read back", v, text);
  } else if (std::isinf(v)) {
    Require(text == (v > 0 ? "INF " : "-INF ") + unit, "infinity text", v, text);
  } else {
    const double read = ReadBack(text, allowInf);
    Require(std::fabs(read - v) <= Tolerance(format, v, scaled), "read back too far", v, text);
  }
}

void CheckTexts(double v, const std::string& format, const std::string& unit, bool allowInf) {
  const std::string shown = ShowValueText(v, format, unit, allowInf);
  if (std::fabs(v) < 1e-12)
    Require(shown == "0 " + unit, "zero text", v, shown);
  else
    CheckShown(shown, v, format, unit, allowInf, std::fabs(v) < 1e15);
  CheckShown(ShowValueFixedText(v, format, unit, allowInf), v, format, unit, allowInf, false);
}

void CheckSteps(double v) {
  const double up = StepValue(v, 1);
  const double down = StepValue(v, 0);
  const std::string none;
  if (v == 0) {
    Require(up == 0 && down == 0, "zero stepped", v, none);
  } else if (std::isnan(v)) {
    Require(std::isnan(up) && std::isnan(down), "NaN stepped", v, none);
  } else if (v < 0 || std::isinf(v)) {
    Require(up == v && down == v, "value outside the scale stepped", v, none);
  } else {
    Require(std::isfinite(up) && up >= v, "step up went down", v, none);
    Require(down > 0 && down <= v, "step down went up", v, none);
    // Neighbours exist from the decade of 1e-306 to below 9.9e307 (the step up
    // of 9.9e307 would be 2e308); near those ends the value may stay.
    if (v >= 1.1e-306 && v <= 9.8e307) Require(up > v, "no step up", v, none);
    if (v >= 1.1e-306) Require(down < v, "no step down", v, none);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const bool allowInf = input.ConsumeBool();
  const std::string& format = input.PickValueInArray(kFormats);
  const std::string& unit = input.PickValueInArray(kUnits);
  const uint64_t bits = input.ConsumeIntegral<uint64_t>();
  double v;
  std::memcpy(&v, &bits, sizeof v);
  CheckTexts(v, format, unit, allowInf);
  CheckSteps(v);
  const std::string anyFormat = input.ConsumeRandomLengthString(16);
  ShowValueText(v, anyFormat, unit, allowInf);
  ShowValueFixedText(v, anyFormat, unit, allowInf);

  const std::string text = input.ConsumeRemainingBytesAsString();
  for (bool inf : {false, true}) {
    double last = kUntouched;
    const double read = ReadValueText(text, inf, last);
    Require(std::isfinite(read), "read a non-finite value", read, text);
    Require(read == 0.0 || last == read, "last value differs from the result", read, text);
  }
  return 0;
}
