// The settings of the live instrument: each Set sends one command and keeps
// the value once the driver took it; each Get with the query flag asks the
// instrument and keeps its reply.

#include <algorithm>

#include "instrument/live_instrument.h"
#include "instrument/reply_decoding.h"

namespace {

constexpr int32_t kTextReplySize = 31;
constexpr int32_t kMaxBurstCount = 50000;

ViString Text(const char* text) { return const_cast<ViString>(text); }

const char* Choice(int16_t value, const char* ifNonzero, const char* ifZero) {
  return value != 0 ? ifNonzero : ifZero;
}

const char* FunctionKeyword(int16_t func) {
  static const char* const kKeywords[] = {"SIN", "SQU", "TRI", "RAMP", "NOISE", "USER"};
  return func >= kFuncSin && func <= kFuncUser ? kKeywords[func] : "DC";
}

const char* ModulationKeyword(int16_t func) {
  return func >= kFuncSin && func < kFuncUser ? FunctionKeyword(func) : "USER";
}

std::string TrigSourceKeyword(int16_t source) {
  switch (source) {
    case 0: return "IMM";
    case 1: return "EXT";
    case 2: return "BUS";
    default: return "TTLT" + std::to_string(source - 3);
  }
}

}  // namespace

void CLiveInstrument::SendCommand(const std::string& command) {
  std::string text = command;
  Guarded(m_entry.tgq3207_cmd, &text[0]);
}

void CLiveInstrument::SendReal(const char* header, double value) {
  Guarded(m_entry.tgq3207_cmdReal, Text(header), value);
}

std::string CLiveInstrument::QueryText(const char* query, int32_t size) {
  // Room for `size` characters and the NUL; a driver that leaves the NUL out
  // still ends its reply at the size it was given.
  std::string reply(static_cast<size_t>(size) + 1, '\0');
  Guarded(m_entry.tgq3207_cmdString_Q, Text(query), size, &reply[0]);
  reply.erase(std::find(reply.begin(), reply.begin() + size, '\0'), reply.end());
  return reply;
}

double CLiveInstrument::QueryReal(int16_t query, const char* text, double& setting) {
  if (query != 0) Guarded(m_entry.tgq3207_cmdReal64_Q, Text(text), &setting);
  return setting;
}

int16_t CLiveInstrument::QueryState(int16_t query, const char* text, int16_t& setting) {
  if (query != 0) {
    ViInt16 reply = 0;
    Guarded(m_entry.tgq3207_cmdInt16_Q, Text(text), &reply);
    setting = reply;
  }
  return setting;
}

int16_t CLiveInstrument::QueryKeyword(int16_t query, const char* text, KeywordDecoder decode,
                                      int16_t& setting) {
  if (query != 0) {
    if (std::optional<int16_t> code = decode(QueryText(text, kTextReplySize).c_str()))
      setting = *code;
  }
  return setting;
}

void CLiveInstrument::SetFunc(int16_t func) {
  SendCommand(std::string("FUNC ") + FunctionKeyword(func));
  m_func = func;
}

void CLiveInstrument::SetFmFunc(int16_t func) {
  SendCommand(std::string("FM:INT:FUNC ") + ModulationKeyword(func));
  m_fmFunc = func;
}

void CLiveInstrument::SetAmFunc(int16_t func) {
  SendCommand(std::string("AM:INT:FUNC ") + ModulationKeyword(func));
  m_amFunc = func;
}

void CLiveInstrument::SetTrigSource(int16_t source) {
  SendCommand("TRIG:SOUR " + TrigSourceKeyword(source));
  m_trigSource = source;
}

void CLiveInstrument::SetAmSource(int16_t source) {
  SendCommand(std::string("AM:SOUR ") + Choice(source, "EXT", "BOTH"));
  m_amSource = source;
}

void CLiveInstrument::SetBmSource(int16_t source) {
  SendCommand(std::string("BM:SOUR ") + Choice(source, "EXT", "INT"));
  m_bmSource = source;
}

void CLiveInstrument::SetFskSource(int16_t source) {
  SendCommand(std::string("FSK:SOUR ") + Choice(source, "EXT", "INT"));
  m_fskSource = source;
}

void CLiveInstrument::SetSweepSpacing(int16_t spacing) {
  SendCommand(std::string("SWE:SPAC ") + Choice(spacing, "LOG", "LIN"));
  m_sweepSpacing = spacing;
}

void CLiveInstrument::SetTrigSlope(int16_t slope) {
  SendCommand(std::string("TRIG:SLOP ") + Choice(slope, "POS", "NEG"));
  m_trigSlope = slope;
}

void CLiveInstrument::SetLoad(int16_t load) {
  SendCommand(std::string("OUTP:LOAD ") + Choice(load, "50", "INF"));
  m_load = load;
}

void CLiveInstrument::SetAmState(int16_t state) {
  SendCommand(std::string("AM:STAT ") + Choice(state, "ON", "OFF"));
  m_amState = state;
}

void CLiveInstrument::SetFmState(int16_t state) {
  SendCommand(std::string("FM:STAT ") + Choice(state, "ON", "OFF"));
  m_fmState = state;
}

void CLiveInstrument::SetSweepState(int16_t state) {
  SendCommand(std::string("SWE:STAT ") + Choice(state, "ON", "OFF"));
  m_sweepState = state;
}

void CLiveInstrument::SetBmState(int16_t state) {
  SendCommand(std::string("BM:STAT ") + Choice(state, "ON", "OFF"));
  m_bmState = state;
}

void CLiveInstrument::SetFskState(int16_t state) {
  SendCommand(std::string("FSK:STAT ") + Choice(state, "ON", "OFF"));
  m_fskState = state;
}

// The name goes out whole, however long: a cut name would select another
// waveform.
void CLiveInstrument::SetUserFunc(std::string name) {
  SendCommand("FUNC:USER " + name);
  m_userFunc = name;
}

void CLiveInstrument::SetBmCount(int32_t cycles) {
  if (cycles >= 1 && cycles <= kMaxBurstCount)
    Guarded(m_entry.tgq3207_cmdInt, Text("BM:NCYC"), cycles);
  else
    SendCommand("BM:NCYC INF");
  m_bmCount = cycles;
}

void CLiveInstrument::SetFreq(double hz) {
  SendReal("FREQ", hz);
  m_freq = hz;
}

void CLiveInstrument::SetAmpl(double vpp) {
  SendReal("VOLT:UNIT VPP;:VOLT", vpp);
  m_ampl = vpp;
}

void CLiveInstrument::SetOffset(double volts) {
  SendReal("VOLT:OFFS", volts);
  m_offset = volts;
}

void CLiveInstrument::SetDutyCycle(double percent) {
  SendReal("PULS:DCYC", percent);
  m_dutyCycle = percent;
}

void CLiveInstrument::SetAmDepth(double percent) {
  SendReal("AM:DEPT", percent);
  m_amDepth = percent;
}

void CLiveInstrument::SetAmFreq(double hz) {
  SendReal("AM:INT:FREQ", hz);
  m_amFreq = hz;
}

void CLiveInstrument::SetFmFreq(double hz) {
  SendReal("FM:INT:FREQ", hz);
  m_fmFreq = hz;
}

void CLiveInstrument::SetFmDev(double hz) {
  SendReal("FM:DEV", hz);
  m_fmDev = hz;
}

void CLiveInstrument::SetSweepTime(double seconds) {
  SendReal("SWE:TIME", seconds);
  m_sweepTime = seconds;
}

void CLiveInstrument::SetStartFreq(double hz) {
  SendReal("FREQ:STAR", hz);
  m_startFreq = hz;
}

void CLiveInstrument::SetStopFreq(double hz) {
  SendReal("FREQ:STOP", hz);
  m_stopFreq = hz;
}

void CLiveInstrument::SetBmPhase(double degrees) {
  SendReal("BM:PHAS", degrees);
  m_bmPhase = degrees;
}

void CLiveInstrument::SetBmRate(double hz) {
  SendReal("BM:INT:RATE", hz);
  m_bmRate = hz;
}

void CLiveInstrument::SetFskFreq(double hz) {
  SendReal("FSK:FREQ", hz);
  m_fskFreq = hz;
}

void CLiveInstrument::SetFskRate(double hz) {
  SendReal("FSK:INT:RATE", hz);
  m_fskRate = hz;
}

double CLiveInstrument::GetFreq(int16_t query) { return QueryReal(query, "FREQ?", m_freq); }
double CLiveInstrument::GetAmpl(int16_t query) {
  return QueryReal(query, "VOLT:UNIT VPP;:VOLT?", m_ampl);
}
double CLiveInstrument::GetOffset(int16_t query) {
  return QueryReal(query, "VOLT:OFFS?", m_offset);
}
double CLiveInstrument::GetDutyCycle(int16_t query) {
  return QueryReal(query, "PULS:DCYC?", m_dutyCycle);
}
double CLiveInstrument::GetAmDepth(int16_t query) {
  return QueryReal(query, "AM:DEPT?", m_amDepth);
}
double CLiveInstrument::GetAmFreq(int16_t query) {
  return QueryReal(query, "AM:INT:FREQ?", m_amFreq);
}
double CLiveInstrument::GetFmFreq(int16_t query) {
  return QueryReal(query, "FM:INT:FREQ?", m_fmFreq);
}
double CLiveInstrument::GetFmDev(int16_t query) { return QueryReal(query, "FM:DEV?", m_fmDev); }
double CLiveInstrument::GetSweepTime(int16_t query) {
  return QueryReal(query, "SWE:TIME?", m_sweepTime);
}
double CLiveInstrument::GetStartFreq(int16_t query) {
  return QueryReal(query, "FREQ:STAR?", m_startFreq);
}
double CLiveInstrument::GetStopFreq(int16_t query) {
  return QueryReal(query, "FREQ:STOP?", m_stopFreq);
}
double CLiveInstrument::GetBmPhase(int16_t query) {
  return QueryReal(query, "BM:PHAS?", m_bmPhase);
}
double CLiveInstrument::GetBmRate(int16_t query) {
  return QueryReal(query, "BM:INT:RATE?", m_bmRate);
}
double CLiveInstrument::GetFskFreq(int16_t query) {
  return QueryReal(query, "FSK:FREQ?", m_fskFreq);
}
double CLiveInstrument::GetFskRate(int16_t query) {
  return QueryReal(query, "FSK:INT:RATE?", m_fskRate);
}

int16_t CLiveInstrument::GetAmState(int16_t query) {
  return QueryState(query, "AM:STAT?", m_amState);
}
int16_t CLiveInstrument::GetFmState(int16_t query) {
  return QueryState(query, "FM:STAT?", m_fmState);
}
int16_t CLiveInstrument::GetSweepState(int16_t query) {
  return QueryState(query, "SWE:STAT?", m_sweepState);
}
int16_t CLiveInstrument::GetBmState(int16_t query) {
  return QueryState(query, "BM:STAT?", m_bmState);
}
int16_t CLiveInstrument::GetFskState(int16_t query) {
  return QueryState(query, "FSK:STAT?", m_fskState);
}

int16_t CLiveInstrument::GetLoad(int16_t query) {
  if (query != 0) {
    ViReal64 ohms = 0;
    Guarded(m_entry.tgq3207_cmdReal64_Q, Text("OUTP:LOAD?"), &ohms);
    m_load = DecodeLoad(ohms);
  }
  return m_load;
}

int32_t CLiveInstrument::GetBmCount(int16_t query) {
  if (query != 0) {
    ViReal64 cycles = 0;
    Guarded(m_entry.tgq3207_cmdReal64_Q, Text("BM:NCYC?"), &cycles);
    m_bmCount = DecodeBmCount(cycles);
  }
  return m_bmCount;
}

int16_t CLiveInstrument::GetFunc(int16_t query) {
  return QueryKeyword(query, "FUNC?", DecodeFunction, m_func);
}
int16_t CLiveInstrument::GetFmFunc(int16_t query) {
  return QueryKeyword(query, "FM:INT:FUNC?", DecodeModulationFunction, m_fmFunc);
}
int16_t CLiveInstrument::GetAmFunc(int16_t query) {
  return QueryKeyword(query, "AM:INT:FUNC?", DecodeModulationFunction, m_amFunc);
}
int16_t CLiveInstrument::GetTrigSource(int16_t query) {
  return QueryKeyword(query, "TRIG:SOUR?", DecodeTrigSource, m_trigSource);
}
int16_t CLiveInstrument::GetAmSource(int16_t query) {
  return QueryKeyword(query, "AM:SOUR?", DecodeAmSource, m_amSource);
}
int16_t CLiveInstrument::GetBmSource(int16_t query) {
  return QueryKeyword(query, "BM:SOUR?", DecodeIntExtSource, m_bmSource);
}
int16_t CLiveInstrument::GetFskSource(int16_t query) {
  return QueryKeyword(query, "FSK:SOUR?", DecodeIntExtSource, m_fskSource);
}
int16_t CLiveInstrument::GetTrigSlope(int16_t query) {
  return QueryKeyword(query, "TRIG:SLOP?", DecodeTrigSlope, m_trigSlope);
}
int16_t CLiveInstrument::GetSweepSpacing(int16_t query) {
  return QueryKeyword(query, "SWE:SPAC?", DecodeSweepSpacing, m_sweepSpacing);
}

void CLiveInstrument::GetUserFunc(std::string& text, int16_t query) {
  text.clear();
  if (query != 0) {
    text = QueryText("FUNC:USER?", kTextReplySize);
    StripTrailingControl(text);
    m_userFunc = text;
  }
  text = m_userFunc;
}
