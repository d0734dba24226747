// Runs the program inside a test: start-up exactly as the program's entry point
// does it (with an instrument of the test's choosing), the main window and its
// panels, commands sent as the menu sends them, and System > Exit at the end.
#pragma once

#include <windows.h>

#include <string>

class CInstrument;
class CMainWnd;

class CAppFixture {
 public:
  ~CAppFixture();

  // Start-up; `instrument` (owned by the program from now on) stands in for
  // discovery; null lets discovery run.
  void Start(CInstrument* instrument = nullptr, const std::string& commandLine = "");
  // System > Exit, then the messages the exit leaves behind.
  void Stop();

  HWND Main() const;
  HWND Panel() const;  // the current panel's dialog
  void Command(UINT id) const;
  bool IsChecked(UINT id) const;
  bool IsRunning() const;
};

// Handles the thread's pending messages for about `ms` milliseconds.
void PumpMessages(int ms = 0);
// Text of a window or a dialog control.
std::string TextOf(HWND hWnd);
std::string TextOf(HWND dialog, int id);
// Holds the Alt key down (as the thread's key state) while it lives.
class CAltKeyHeld {
 public:
  CAltKeyHeld();
  ~CAltKeyHeld();
};
