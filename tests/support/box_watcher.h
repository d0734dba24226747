// Catches every message box (and any other system dialog) that this thread
// opens while the watcher lives: records its caption, text and whether it shows
// an icon, then answers it with OK. The boxes are real; only the operator is not.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct CBoxSeen {
  std::string caption;
  std::string text;
  bool hasIcon = false;
};

class CBoxWatcher {
 public:
  CBoxWatcher();
  ~CBoxWatcher();

  std::vector<CBoxSeen> m_boxes;
  // Called with each box's window before it is answered; may answer it itself
  // by returning true.
  std::function<bool(HWND)> m_onDialog;
  // Called when one of the program's own modal dialogs (About, Select Instrument)
  // becomes active; it is left open unless this answers it.
  std::function<void(HWND)> m_onOwnDialog;

  std::vector<std::string> Texts() const;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  HHOOK m_hook;
  CBoxWatcher* m_previous;
};
