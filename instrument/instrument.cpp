#include "instrument/instrument.h"

#include "instrument/app_port.h"

CInstrument::CInstrument() { SetDefaults(); }

CInstrument::~CInstrument() = default;

void CInstrument::SetDefaults() {
  m_func = kFuncSin;
  m_amFunc = 0;
  m_fmFunc = 0;
  m_amSource = 0;
  m_sweepSpacing = 0;
  m_trigSource = 0;
  m_load = 1;
  m_amState = 0;
  m_fmState = 0;
  m_sweepState = 0;
  m_freq = 1000.0;
  m_ampl = 0.1;
  m_offset = 0.0;
  m_dutyCycle = 50.0;
  m_amDepth = 100.0;
  m_amFreq = 100.0;
  m_fmDev = 100.0;
  m_fmFreq = 100.0;
  m_sweepTime = 1.0;
  m_startFreq = 100.0;
  m_stopFreq = 1000.0;
  m_userFunc = "SINC";
  m_bmState = 0;
  m_bmSource = 0;
  m_bmCount = 1;
  m_bmPhase = 0.0;
  m_bmRate = 100.0;
  m_trigSlope = 1;
  m_fskFreq = 100.0;
  m_fskState = 0;
  m_fskSource = 0;
  m_fskRate = 10.0;
}

void CInstrument::SetExclusiveMode(int16_t& mode, int16_t state) {
  mode = state;
  if (state == 0) return;
  for (int16_t* other : {&m_amState, &m_fmState, &m_sweepState, &m_bmState, &m_fskState})
    if (other != &mode) *other = 0;
}

void CInstrument::Reset() {}
void CInstrument::Sync() {}
void CInstrument::SelfTest(std::string& text) { text = "0"; }
int16_t CInstrument::OpcQuery() { return 0; }
void CInstrument::DeviceClear() {}
void CInstrument::Close() {}
int16_t CInstrument::ReadStatusByte() { return 0; }

void CInstrument::ErrorQuery(int32_t& code, std::string& message) {
  code = 0;
  message = "None";
}

int32_t CInstrument::GetLastStatus() { return 0; }
int32_t CInstrument::GetSlot() { return -1; }
int32_t CInstrument::GetLogicalAddress() { return -1; }
std::string CInstrument::GetAddress() { return "Addr Unknown"; }
uint16_t CInstrument::GetIntfType() { return 0; }
void CInstrument::ClearStatus() {}
int16_t CInstrument::IsBusy() { return 0; }
void CInstrument::GetPhaseLock(std::string& text) { text = "Unlocked"; }

void CInstrument::SetTrigSource(int16_t source) { m_trigSource = source; }
int16_t CInstrument::GetTrigSource(int16_t) { return m_trigSource; }
void CInstrument::SetAmSource(int16_t source) { m_amSource = source; }
int16_t CInstrument::GetAmSource(int16_t) { return m_amSource; }
void CInstrument::SetFmFunc(int16_t func) { m_fmFunc = func; }
int16_t CInstrument::GetFmFunc(int16_t) { return m_fmFunc; }
void CInstrument::SetAmFunc(int16_t func) { m_amFunc = func; }
int16_t CInstrument::GetAmFunc(int16_t) { return m_amFunc; }
void CInstrument::SetSweepTime(double seconds) { m_sweepTime = seconds; }
double CInstrument::GetSweepTime(int16_t) { return m_sweepTime; }
void CInstrument::SetStartFreq(double hz) { m_startFreq = hz; }
double CInstrument::GetStartFreq(int16_t) { return m_startFreq; }
void CInstrument::SetStopFreq(double hz) { m_stopFreq = hz; }
double CInstrument::GetStopFreq(int16_t) { return m_stopFreq; }
void CInstrument::SetFmFreq(double hz) { m_fmFreq = hz; }
double CInstrument::GetFmFreq(int16_t) { return m_fmFreq; }
void CInstrument::SetAmFreq(double hz) { m_amFreq = hz; }
double CInstrument::GetAmFreq(int16_t) { return m_amFreq; }
void CInstrument::SetFunc(int16_t func) { m_func = func; }
int16_t CInstrument::GetFunc(int16_t) { return m_func; }
void CInstrument::SetFmDev(double hz) { m_fmDev = hz; }
double CInstrument::GetFmDev(int16_t) { return m_fmDev; }
void CInstrument::SetFreq(double hz) { m_freq = hz; }
double CInstrument::GetFreq(int16_t) { return m_freq; }
void CInstrument::SetAmpl(double vpp) { m_ampl = vpp; }
double CInstrument::GetAmpl(int16_t) { return m_ampl; }
void CInstrument::SetOffset(double volts) { m_offset = volts; }
double CInstrument::GetOffset(int16_t) { return m_offset; }
void CInstrument::SetDutyCycle(double percent) { m_dutyCycle = percent; }
double CInstrument::GetDutyCycle(int16_t) { return m_dutyCycle; }
void CInstrument::SetAmDepth(double percent) { m_amDepth = percent; }
double CInstrument::GetAmDepth(int16_t) { return m_amDepth; }
void CInstrument::SetSweepState(int16_t state) { SetExclusiveMode(m_sweepState, state); }
int16_t CInstrument::GetSweepState(int16_t) { return m_sweepState; }
void CInstrument::SetSweepSpacing(int16_t spacing) { m_sweepSpacing = spacing; }
int16_t CInstrument::GetSweepSpacing(int16_t) { return m_sweepSpacing; }
void CInstrument::SetAmState(int16_t state) { SetExclusiveMode(m_amState, state); }
int16_t CInstrument::GetAmState(int16_t) { return m_amState; }
void CInstrument::SetFmState(int16_t state) { SetExclusiveMode(m_fmState, state); }
int16_t CInstrument::GetFmState(int16_t) { return m_fmState; }
void CInstrument::SetLoad(int16_t load) { m_load = load; }
int16_t CInstrument::GetLoad(int16_t) { return m_load; }
void CInstrument::GetUserFunc(std::string& text, int16_t) { text = m_userFunc; }
void CInstrument::SetUserFunc(std::string name) { m_userFunc = std::move(name); }
void CInstrument::SyncModes() {}
void CInstrument::SetBmState(int16_t state) { SetExclusiveMode(m_bmState, state); }
int16_t CInstrument::GetBmState(int16_t) { return m_bmState; }
void CInstrument::SetBmSource(int16_t source) { m_bmSource = source; }
int16_t CInstrument::GetBmSource(int16_t) { return m_bmSource; }
void CInstrument::SetBmCount(int32_t cycles) { m_bmCount = cycles; }
int32_t CInstrument::GetBmCount(int16_t) { return m_bmCount; }
void CInstrument::SetBmPhase(double degrees) { m_bmPhase = degrees; }
double CInstrument::GetBmPhase(int16_t) { return m_bmPhase; }
void CInstrument::SetBmRate(double hz) { m_bmRate = hz; }
double CInstrument::GetBmRate(int16_t) { return m_bmRate; }
void CInstrument::SetTrigSlope(int16_t slope) { m_trigSlope = slope; }
int16_t CInstrument::GetTrigSlope(int16_t) { return m_trigSlope; }
void CInstrument::SetFskFreq(double hz) { m_fskFreq = hz; }
double CInstrument::GetFskFreq(int16_t) { return m_fskFreq; }
void CInstrument::SetFskState(int16_t state) { SetExclusiveMode(m_fskState, state); }
int16_t CInstrument::GetFskState(int16_t) { return m_fskState; }
void CInstrument::SetFskSource(int16_t source) { m_fskSource = source; }
int16_t CInstrument::GetFskSource(int16_t) { return m_fskSource; }
void CInstrument::SetFskRate(double hz) { m_fskRate = hz; }
double CInstrument::GetFskRate(int16_t) { return m_fskRate; }
void CInstrument::Trigger() {}
