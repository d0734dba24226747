// What the instrument layer needs of the application, without knowing windows:
// the instrument object of the run, the string table, the operator's message
// boxes and beep, timer 1 of the main window, the wait cursor, and where
// driver calls run. The application implements it.
#pragma once

#include <cstdint>
#include <string>

class CInstrument;

// One driver call, made by Run; its status is the result.
struct CDriverCall {
  int32_t (*m_run)(void* context);
  void* m_context;
  int32_t Run() const { return m_run(m_context); }
};

// Where discovery found the instrument.
struct CDiscoveryRecord {
  std::string m_rsrcName;
  int32_t m_slot = -1;
  int32_t m_logicalAddress = -1;
  uint16_t m_intfType = 0;
};

class CAppPort {
 public:
  virtual ~CAppPort() = default;

  virtual CInstrument* Instrument() = 0;
  virtual std::string LoadText(unsigned id) = 0;
  // The standard message box: OK button, exclamation icon, application title.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void Beep() = 0;
  virtual void StopErrorTimer() = 0;
  virtual void StartErrorTimer(unsigned periodMs) = 0;
  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;
  // Makes the driver call and returns its status. The application makes it
  // on a worker thread and keeps its window alive meanwhile.
  virtual int32_t RunDriverCall(const CDriverCall& call) { return call.Run(); }
  // The link to the instrument is down, after the box of the call that found
  // it; called again while it stays down.
  virtual void LinkDown() {}
  // An operation refused while the link is down.
  virtual void RefusedWhileLinkDown() {}
};

void SetAppPort(CAppPort* port);
CAppPort& AppPort();

// The instrument object of the moment, the one road to it for the whole
// program: the application owns it and may replace it at run time, so it is
// fetched when it is used, never kept. Null only before discovery has run.
CInstrument* CurrentInstrument();
// The same, where discovery has run.
CInstrument& Instrument();

// Shows string `id` in the standard message box.
void ShowStringMessage(unsigned id);

// Counts one wait-cursor request for the lifetime of the object.
class CWaitCursorScope {
 public:
  CWaitCursorScope() { AppPort().BeginWaitCursor(); }
  ~CWaitCursorScope() { AppPort().EndWaitCursor(); }
  CWaitCursorScope(const CWaitCursorScope&) = delete;
  CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;
};
