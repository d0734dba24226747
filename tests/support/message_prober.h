// Asks a window, from a thread of its own, whether it still answers: sends it
// WM_NULL every few milliseconds and keeps the longest wait for an answer.
#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <thread>

class CMessageProber {
 public:
  explicit CMessageProber(HWND window);
  ~CMessageProber() { Stop(); }

  // Ends the probing, answering the last probe if it waits on this thread; the
  // longest wait in milliseconds (0 when nothing was sent).
  double Stop();
  int Answers() const { return m_answers; }

 private:
  void Probe(HWND window);
  // Sends one probe; false when the window did not answer in time.
  bool Answered(HWND window);

  std::atomic<bool> m_stop{false};
  std::atomic<int> m_answers{0};
  std::atomic<bool> m_ended{false};
  double m_longestMs = 0.0;
  std::chrono::steady_clock::time_point m_stoppedAt;  // written before m_stop
  std::thread m_thread;
};
