// A driver library for tests of the live instrument: its entry points record
// every call and answer from a script.
#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "instrument/driver_library.h"

// What the next driver call answers. Text longer than the caller's buffer
// fills it without a terminating NUL, as a careless driver might.
struct CDriverAnswer {
  int32_t m_status = 0;
  std::string m_text;
  double m_real = 0.0;
  int32_t m_number = 0;
};

class CFakeDriver : public CDriverLibrary {
 public:
  CFakeDriver();
  ~CFakeDriver() override;
  void* FindEntryPoint(const char* name) override;

  void Answer(const CDriverAnswer& answer) { m_answers.push_back(answer); }
  void Fail(int32_t status) { Answer(CDriverAnswer{status, {}, 0.0, 0}); }
  // The answer of the call now being made; the session it was made for is checked.
  CDriverAnswer Take(const std::string& call, uint32_t vi);

  static constexpr uint32_t kSession = 0x1234;
  // "cmd:<text>", "cmdInt:<header>,<value>", "cmdReal:<header>,<value>",
  // "cmdString_Q:<query>,<size>", "cmdInt16_Q:<query>", "cmdReal64_Q:<query>",
  // and the bare names of the others ("dcl", "reset", ...).
  std::vector<std::string> m_calls;
  std::vector<std::string> m_lookedUp;
  std::set<std::string> m_missing;
  std::deque<CDriverAnswer> m_answers;
  // Runs inside the next driver call, as a re-entrant message handler would.
  std::function<void()> m_duringNextCall;

 private:
  CFakeDriver* m_previous;
};
