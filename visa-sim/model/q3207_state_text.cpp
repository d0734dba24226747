#include "visa-sim/model/q3207_state_text.h"

#include <charconv>

namespace tgqsim {

namespace {

class StateWriter {
 public:
  void Number(const char* key, double value) {
    char text[40];
    std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, 17);
    Line(key, std::string(text, written.ptr));
  }
  void Code(const char* key, long value) { Line(key, std::to_string(value)); }
  void Line(const char* key, const std::string& value) { text_ += std::string(key) + "=" + value + "\n"; }
  std::string Text() const { return text_; }

 private:
  std::string text_;
};

}  // namespace

std::string Q3207StateText(const Q3207Settings& s, size_t queuedErrors, int triggers) {
  auto on = [&s](Mode mode) { return s.activeMode == mode ? 1L : 0L; };
  StateWriter w;
  w.Code("func", s.func);
  w.Number("freq", s.freq);
  w.Number("ampl", s.ampl);
  w.Number("offset", s.offset);
  w.Number("dcyc", s.dutyCycle);
  w.Code("load", s.load);
  w.Line("user", s.userFunc);
  w.Number("am.depth", s.amDepth);
  w.Number("am.freq", s.amFreq);
  w.Code("am.func", s.amFunc);
  w.Code("am.source", s.amSource);
  w.Code("am.state", on(kAm));
  w.Number("fm.dev", s.fmDev);
  w.Number("fm.freq", s.fmFreq);
  w.Code("fm.func", s.fmFunc);
  w.Code("fm.state", on(kFm));
  w.Number("swe.start", s.sweepStart);
  w.Number("swe.stop", s.sweepStop);
  w.Number("swe.time", s.sweepTime);
  w.Code("swe.spacing", s.sweepSpacing);
  w.Code("swe.state", on(kSweep));
  w.Code("trig.source", s.trigSource);
  w.Code("trig.slope", s.trigSlope);
  w.Code("bm.count", s.bmCount);
  w.Number("bm.phase", s.bmPhase);
  w.Number("bm.rate", s.bmRate);
  w.Code("bm.source", s.bmSource);
  w.Code("bm.state", on(kBurst));
  w.Number("fsk.freq", s.fskFreq);
  w.Number("fsk.rate", s.fskRate);
  w.Code("fsk.source", s.fskSource);
  w.Code("fsk.state", on(kFsk));
  w.Code("errors", static_cast<long>(queuedErrors));
  w.Code("triggers", triggers);
  return w.Text();
}

}  // namespace tgqsim
