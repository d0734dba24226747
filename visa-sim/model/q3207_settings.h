// Every setting of the function generator, held in the codes the soft front
// panel uses, with the power-on values.
#pragma once

#include <string>

namespace tgqsim {

enum Waveform { kSin = 0, kSqu = 1, kTri = 2, kRamp = 3, kNoise = 4, kUser = 5, kDc = 6 };
enum Load { kLoadInfinite = 0, kLoad50Ohm = 1 };
// The five modes; at most one is on.
enum Mode { kNoMode = -1, kAm = 0, kFm, kSweep, kBurst, kFsk };
enum TriggerSource { kTrigImmediate = 0, kTrigExternal = 1, kTrigBus = 2, kTrigTtl0 = 3 };
constexpr int kTtlLines = 8;
// The burst count that stands for an infinite burst.
constexpr int kBurstInfinite = 0;

struct Q3207Settings {
  int func = kSin;
  double freq = 1000.0;
  double ampl = 0.1;
  double offset = 0.0;
  double dutyCycle = 50.0;
  int load = kLoad50Ohm;
  std::string userFunc = "SINC";

  double amDepth = 100.0;
  double amFreq = 100.0;
  int amFunc = kSin;
  int amSource = 0;  // 0 BOTH, 1 EXT

  double fmDev = 100.0;
  double fmFreq = 100.0;
  int fmFunc = kSin;

  double sweepStart = 100.0;
  double sweepStop = 1000.0;
  double sweepTime = 1.0;
  int sweepSpacing = 0;  // 0 LIN, 1 LOG

  int trigSource = kTrigImmediate;
  int trigSlope = 1;  // 1 POS, 0 NEG

  int bmCount = 1;
  double bmPhase = 0.0;
  double bmRate = 100.0;
  int bmSource = 0;  // 0 INT, 1 EXT

  double fskFreq = 100.0;
  double fskRate = 10.0;
  int fskSource = 0;  // 0 INT, 1 EXT

  int activeMode = kNoMode;
};

}  // namespace tgqsim
