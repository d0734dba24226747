// An application stand-in for tests of the instrument layer: it answers the
// string table from the program's own strings and records what the operator
// would see.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "instrument/app_port.h"
#include "instrument/instrument.h"

class CRecordingPort : public CAppPort {
 public:
  CRecordingPort();
  ~CRecordingPort() override;

  CInstrument* Instrument() override { return m_instrument; }
  std::string LoadText(unsigned id) override;
  void ShowMessage(const std::string& text) override;
  void Beep() override;
  void StopErrorTimer() override;
  void StartErrorTimer(unsigned periodMs) override;
  void BeginWaitCursor() override { ++m_waitDepth; ++m_waitRequests; }
  void EndWaitCursor() override { --m_waitDepth; }
  int32_t RunDriverCall(const CDriverCall& call) override {
    m_inDriverCall = true;
    int32_t status = call.Run();
    m_inDriverCall = false;
    return status;
  }
  void LinkDown() override { m_events.push_back("link-down"); }
  void RefusedWhileLinkDown() override { m_events.push_back("refused"); }

  CInstrument* m_instrument = nullptr;
  // What happened, in order: "box:<text>", "beep", "timer:stop", "timer:start:<ms>",
  // "link-down", "refused".
  std::vector<std::string> m_events;
  std::vector<std::string> m_boxes;
  int m_waitDepth = 0;
  int m_waitRequests = 0;
  bool m_inDriverCall = false;  // the fake driver marks calls made elsewhere

 private:
  CAppPort* m_previous;
};

// The text of string `id` of the program's string table ("" when absent).
std::string ProgramString(unsigned id);
