// What the main window says while the start-up Sync reads a slow instrument:
// "Reading the instrument's settings... (n of N)", counted by driver calls.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

class CStartupProgress {
 public:
  // Shows the text in `window`'s client area with none of `total` calls done.
  void Begin(HWND window, size_t total);
  // One more driver call has returned. The count is drawn when the last
  // drawing is kRedrawMs old: drawing every call would slow a fast instrument's
  // start, and no one reads a count that changes faster.
  void CallDone();
  void End();
  // What it says now; empty when it is not counting.
  std::string Text() const;

 private:
  static constexpr DWORD kRedrawMs = 50;

  void Show();

  HWND m_window = nullptr;
  DWORD m_shownAt = 0;
  size_t m_done = 0;
  size_t m_total = 0;
};

CStartupProgress& StartupProgress();
