// The output, modulation and trigger settings.
#include <cmath>

#include "visa-sim/model/command_builders.h"
#include "visa-sim/model/q3207_commands.h"
#include "visa-sim/model/q3207_instrument.h"
#include "visa-sim/model/q3207_limits.h"
#include "visa-sim/model/reply_format.h"
#include "visa-sim/model/text_util.h"

namespace tgqsim {

namespace {

const std::vector<KeywordCode> kModulatingShapes{{"SINusoid", kSin}, {"SQUare", kSqu},
                                                 {"TRIangle", kTri}, {"RAMP", kRamp},
                                                 {"NOISe", kNoise}, {"USER", kUser}};
const std::vector<KeywordCode> kInternalOrExternal{{"INTernal", 0}, {"EXTernal", 1}};
const std::vector<KeywordCode> kUserWaveforms{{"SINC", 0}, {"NEG_RAMP", 1}, {"EXP_RISE", 2},
                                              {"EXP_FALL", 3}, {"CARDIAC", 4}};
const std::vector<KeywordCode> kTriggerSources{
    {"IMMediate", kTrigImmediate}, {"EXTernal", kTrigExternal}, {"BUS", kTrigBus}};

std::vector<KeywordCode> OutputShapes() {
  std::vector<KeywordCode> shapes = kModulatingShapes;
  shapes.push_back({"DC", kDc});
  return shapes;
}

// A function whose frequency ceiling lies below the present frequency pulls
// the frequency down to it and says so.
Command FunctionCommand() {
  static const std::vector<KeywordCode> shapes = OutputShapes();
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    Q3207Settings& s = inst.Settings();
    s.func = KeywordValue(SingleParameter(params), shapes);
    double ceiling = FrequencyRange(s).max;
    if (s.freq > ceiling) {
      s.freq = ceiling;
      Fail(kSettingsConflict);
    }
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return KeywordReply(inst.Settings().func, shapes);
  };
  return {HeaderPattern("[SOURce]:FUNCtion[:SHAPe]"), set, query};
}

Command UserWaveformCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    int waveform = KeywordValue(SingleParameter(params), kUserWaveforms);
    inst.Settings().userFunc = KeywordReply(waveform, kUserWaveforms);
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return inst.Settings().userFunc;
  };
  return {HeaderPattern("[SOURce]:FUNCtion:USER"), set, query};
}

// Amplitudes are kept in volts peak-to-peak only.
Command VoltageUnitCommand() {
  static const std::vector<KeywordCode> units{{"VPP", 0}};
  auto set = [](Q3207Instrument&, const Parameters& params) {
    KeywordValue(SingleParameter(params), units);
  };
  auto query = [](Q3207Instrument&, const Parameters& params) {
    ExpectNoParameters(params);
    return KeywordReply(0, units);
  };
  return {HeaderPattern("[SOURce]:VOLTage:UNIT"), set, query};
}

// The amplitude and offset are set as the voltage at the load: an open output
// shows twice what 50 ohms shows.
Command LoadCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    const Parameter& p = SingleParameter(params);
    int load;
    if (IsKeyword(p, "INFinity") || IsKeyword(p, "MAXimum")) {
      load = kLoadInfinite;
    } else if (IsKeyword(p, "MINimum") || IsKeyword(p, "DEFault")) {
      load = kLoad50Ohm;
    } else {
      double ohms = PlainNumber(p);
      if (ohms == 50.0)
        load = kLoad50Ohm;
      else if (ohms >= kInfinityReply)
        load = kLoadInfinite;
      else
        Fail(kDataOutOfRange);
    }
    Q3207Settings& s = inst.Settings();
    if (load == s.load) return;
    double factor = load == kLoadInfinite ? 2.0 : 0.5;
    s.ampl *= factor;
    s.offset *= factor;
    s.load = load;
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    return FormatNumber(inst.Settings().load == kLoadInfinite ? kInfinityReply : 50.0);
  };
  return {HeaderPattern("OUTPut:LOAD"), set, query};
}

Command BurstCountCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    const Parameter& p = SingleParameter(params);
    int& count = inst.Settings().bmCount;
    if (IsKeyword(p, "INFinity") || (p.kind == ParameterKind::kNumber && p.number >= kInfinityReply &&
                                     p.text.empty())) {
      count = kBurstInfinite;
      return;
    }
    double cycles = std::round(NumberValue(p, kBurstCountRange, 1.0));
    count = static_cast<int>(CheckedInRange(cycles, kBurstCountRange));
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    int count = inst.Settings().bmCount;
    double reply = count == kBurstInfinite ? kInfinityReply : count;
    return FormatNumber(QueriedLimit(params, kBurstCountRange).value_or(reply));
  };
  return {HeaderPattern("[SOURce]:BM:NCYCles"), set, query};
}

// IMMediate, EXTernal, BUS or one of the TTL trigger lines TTLTrg0 to TTLTrg7.
Command TriggerSourceCommand() {
  auto set = [](Q3207Instrument& inst, const Parameters& params) {
    const Parameter& p = SingleParameter(params);
    int& source = inst.Settings().trigSource;
    if (p.kind == ParameterKind::kCharacter && StartsWithIgnoringCase(p.text, "TTLT")) {
      std::string_view line(p.text);
      line.remove_prefix(StartsWithIgnoringCase(line, "TTLTRG") ? 6 : 4);
      if (line.size() != 1 || line[0] < '0' || line[0] >= '0' + kTtlLines)
        Fail(kIllegalParameterValue);
      source = kTrigTtl0 + (line[0] - '0');
      return;
    }
    source = KeywordValue(p, kTriggerSources);
  };
  auto query = [](Q3207Instrument& inst, const Parameters& params) {
    ExpectNoParameters(params);
    int source = inst.Settings().trigSource;
    if (source >= kTrigTtl0) return "TTLT" + std::to_string(source - kTrigTtl0);
    return KeywordReply(source, kTriggerSources);
  };
  return {HeaderPattern("TRIGger[:SEQuence]:SOURce"), set, query};
}

}  // namespace

std::vector<Command> SourceCommands() {
  using S = Q3207Settings;
  return {
      FunctionCommand(),
      UserWaveformCommand(),
      NumberSetting("[SOURce]:FREQuency", &S::freq, FrequencyRange),
      VoltageUnitCommand(),
      NumberSetting("[SOURce]:VOLTage[:LEVel][:IMMediate][:AMPLitude]", &S::ampl, AmplitudeRange),
      NumberSetting("[SOURce]:VOLTage[:LEVel][:IMMediate]:OFFSet", &S::offset, OffsetRange),
      NumberSetting("[SOURce]:PULSe:DCYCle", &S::dutyCycle, kDutyCycleRange),
      LoadCommand(),

      NumberSetting("[SOURce]:AM:DEPTh", &S::amDepth, kAmDepthRange),
      NumberSetting("[SOURce]:AM:INTernal:FREQuency", &S::amFreq, kAmFreqRange),
      KeywordSetting("[SOURce]:AM:INTernal:FUNCtion", &S::amFunc, kModulatingShapes),
      KeywordSetting("[SOURce]:AM:SOURce", &S::amSource, {{"BOTH", 0}, {"EXTernal", 1}}),
      ModeSwitch("[SOURce]:AM:STATe", kAm),

      NumberSetting("[SOURce]:FM:DEViation", &S::fmDev, kFmDevRange),
      NumberSetting("[SOURce]:FM:INTernal:FREQuency", &S::fmFreq, kFmFreqRange),
      KeywordSetting("[SOURce]:FM:INTernal:FUNCtion", &S::fmFunc, kModulatingShapes),
      ModeSwitch("[SOURce]:FM:STATe", kFm),

      NumberSetting("[SOURce]:SWEep:TIME", &S::sweepTime, kSweepTimeRange),
      NumberSetting("[SOURce]:FREQuency:STARt", &S::sweepStart, kSweepFreqRange),
      NumberSetting("[SOURce]:FREQuency:STOP", &S::sweepStop, kSweepFreqRange),
      KeywordSetting("[SOURce]:SWEep:SPACing", &S::sweepSpacing,
                     {{"LINear", 0}, {"LOGarithmic", 1}}),
      ModeSwitch("[SOURce]:SWEep:STATe", kSweep),

      TriggerSourceCommand(),
      KeywordSetting("TRIGger[:SEQuence]:SLOPe", &S::trigSlope,
                     {{"POSitive", 1}, {"NEGative", 0}}),

      BurstCountCommand(),
      NumberSetting("[SOURce]:BM:PHASe", &S::bmPhase, kBurstPhaseRange),
      NumberSetting("[SOURce]:BM:INTernal:RATE", &S::bmRate, kBurstRateRange),
      KeywordSetting("[SOURce]:BM:SOURce", &S::bmSource, kInternalOrExternal),
      ModeSwitch("[SOURce]:BM:STATe", kBurst),

      NumberSetting("[SOURce]:FSKey:FREQuency", &S::fskFreq, kFskFreqRange),
      NumberSetting("[SOURce]:FSKey:INTernal:RATE", &S::fskRate, kFskRateRange),
      KeywordSetting("[SOURce]:FSKey:SOURce", &S::fskSource, kInternalOrExternal),
      ModeSwitch("[SOURce]:FSKey:STATe", kFsk),
  };
}

}  // namespace tgqsim
