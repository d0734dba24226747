#include "tests/support/message_prober.h"

#include <algorithm>

namespace {
constexpr DWORD kPauseMs = 2;
constexpr UINT kGiveUpMs = 60000;
}  // namespace

CMessageProber::CMessageProber(HWND window) : m_thread([this, window] { Probe(window); }) {}

double CMessageProber::Stop() {
  if (!m_thread.joinable()) return m_longestMs;
  m_stoppedAt = std::chrono::steady_clock::now();
  m_stop = true;
  MSG msg;
  while (!m_ended) {
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    ::Sleep(1);
  }
  m_thread.join();
  return m_longestMs;
}

void CMessageProber::Probe(HWND window) {
  while (!m_stop && Answered(window)) ::Sleep(kPauseMs);
  m_ended = true;
}

bool CMessageProber::Answered(HWND window) {
  auto sent = std::chrono::steady_clock::now();
  DWORD_PTR result = 0;
  if (!::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kGiveUpMs, &result)) return false;
  auto answered = std::chrono::steady_clock::now();
  // An answer that Stop itself gave counts until the probing ended.
  if (m_stop) answered = std::min(answered, m_stoppedAt);
  std::chrono::duration<double, std::milli> waited = answered - sent;
  if (waited.count() > m_longestMs) m_longestMs = waited.count();
  ++m_answers;
  return true;
}
