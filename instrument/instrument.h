// The instrument interface that every panel and menu command uses, and the
// remembered state: the last known value of every setting. The base class
// behaves as the in-memory instrument; the live instrument overrides every
// operation that talks to the driver.
#pragma once

#include <cstdint>
#include <string>

// Status of a call refused because another instrument call was in progress.
constexpr int32_t kStatusTooFast = static_cast<int32_t>(0xBFFC0008u);

// Sizes of the text buffers of the interface, terminating NUL included.
constexpr size_t kSelfTestTextSize = 320;
constexpr size_t kErrorMessageSize = 260;
constexpr size_t kPhaseLockTextSize = 16;
constexpr size_t kUserFuncTextSize = 32;

enum FunctionCode : int16_t {
  kFuncSin = 0, kFuncSqu = 1, kFuncTri = 2, kFuncRamp = 3,
  kFuncNoise = 4, kFuncUser = 5, kFuncDc = 6
};

class CInstrument {
 public:
  CInstrument();
  virtual ~CInstrument();

  // Utility operations.
  virtual void Reset();
  virtual void Sync();
  virtual void SelfTest(std::string& text);
  virtual int16_t OpcQuery();
  virtual void DeviceClear();
  virtual void Close();
  virtual int16_t ReadStatusByte();
  virtual void ErrorQuery(int32_t& code, std::string& message);
  virtual int32_t GetLastStatus();
  virtual int32_t GetSlot();
  virtual int32_t GetLogicalAddress();
  virtual std::string GetAddress();
  virtual uint16_t GetIntfType();
  virtual void ClearStatus();
  virtual int16_t IsBusy();
  virtual void GetPhaseLock(std::string& text);

  // Settings: Set stores the value; Get(query) returns it, asking the
  // instrument first when query is nonzero.
  virtual void SetTrigSource(int16_t source);
  virtual int16_t GetTrigSource(int16_t query);
  virtual void SetAmSource(int16_t source);
  virtual int16_t GetAmSource(int16_t query);
  virtual void SetFmFunc(int16_t func);
  virtual int16_t GetFmFunc(int16_t query);
  virtual void SetAmFunc(int16_t func);
  virtual int16_t GetAmFunc(int16_t query);
  virtual void SetSweepTime(double seconds);
  virtual double GetSweepTime(int16_t query);
  virtual void SetStartFreq(double hz);
  virtual double GetStartFreq(int16_t query);
  virtual void SetStopFreq(double hz);
  virtual double GetStopFreq(int16_t query);
  virtual void SetFmFreq(double hz);
  virtual double GetFmFreq(int16_t query);
  virtual void SetAmFreq(double hz);
  virtual double GetAmFreq(int16_t query);
  virtual void SetFunc(int16_t func);
  virtual int16_t GetFunc(int16_t query);
  virtual void SetFmDev(double hz);
  virtual double GetFmDev(int16_t query);
  virtual void SetFreq(double hz);
  virtual double GetFreq(int16_t query);
  virtual void SetAmpl(double vpp);
  virtual double GetAmpl(int16_t query);
  virtual void SetOffset(double volts);
  virtual double GetOffset(int16_t query);
  virtual void SetDutyCycle(double percent);
  virtual double GetDutyCycle(int16_t query);
  virtual void SetAmDepth(double percent);
  virtual double GetAmDepth(int16_t query);
  virtual void SetSweepState(int16_t state);
  virtual int16_t GetSweepState(int16_t query);
  virtual void SetSweepSpacing(int16_t spacing);
  virtual int16_t GetSweepSpacing(int16_t query);
  virtual void SetAmState(int16_t state);
  virtual int16_t GetAmState(int16_t query);
  virtual void SetFmState(int16_t state);
  virtual int16_t GetFmState(int16_t query);
  virtual void SetLoad(int16_t load);
  virtual int16_t GetLoad(int16_t query);
  virtual void GetUserFunc(std::string& text, int16_t query);
  virtual void SetUserFunc(std::string name);
  virtual void SyncModes();
  virtual void SetBmState(int16_t state);
  virtual int16_t GetBmState(int16_t query);
  virtual void SetBmSource(int16_t source);
  virtual int16_t GetBmSource(int16_t query);
  virtual void SetBmCount(int32_t cycles);
  virtual int32_t GetBmCount(int16_t query);
  virtual void SetBmPhase(double degrees);
  virtual double GetBmPhase(int16_t query);
  virtual void SetBmRate(double hz);
  virtual double GetBmRate(int16_t query);
  virtual void SetTrigSlope(int16_t slope);
  virtual int16_t GetTrigSlope(int16_t query);
  virtual void SetFskFreq(double hz);
  virtual double GetFskFreq(int16_t query);
  virtual void SetFskState(int16_t state);
  virtual int16_t GetFskState(int16_t query);
  virtual void SetFskSource(int16_t source);
  virtual int16_t GetFskSource(int16_t query);
  virtual void SetFskRate(double hz);
  virtual double GetFskRate(int16_t query);
  virtual void Trigger();

  // Stores the power-on default of every remembered setting.
  void SetDefaults();

  // The remembered state.
  uint32_t m_session = 0;
  int32_t m_live = 0;
  int16_t m_func;
  int16_t m_amFunc;
  int16_t m_fmFunc;
  int16_t m_amSource;
  int16_t m_sweepSpacing;
  int16_t m_trigSource;
  int16_t m_load;
  int16_t m_amState;
  int16_t m_fmState;
  int16_t m_sweepState;
  double m_freq;
  double m_ampl;
  double m_offset;
  double m_dutyCycle;
  double m_amDepth;
  double m_amFreq;
  double m_fmDev;
  double m_fmFreq;
  double m_sweepTime;
  double m_startFreq;
  double m_stopFreq;
  std::string m_userFunc;
  int16_t m_busy = 0;
  int16_t m_bmState;
  int16_t m_bmSource;
  int32_t m_bmCount;
  double m_bmPhase;
  double m_bmRate;
  int16_t m_trigSlope;
  double m_fskFreq;
  int16_t m_fskState;
  int16_t m_fskSource;
  double m_fskRate;

 private:
  // Of the five modulation modes at most one is on: switching one on switches
  // the other four off.
  void SetExclusiveMode(int16_t& mode, int16_t state);
};
