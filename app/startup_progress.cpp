#include "app/startup_progress.h"

#include <algorithm>
#include <string>

#include "controls/plate_drawing.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/win_app.h"
#include "res/resource.h"

CStartupProgress& StartupProgress() {
  static CStartupProgress progress;
  return progress;
}

void CStartupProgress::Begin(HWND window, size_t total) {
  m_window = window;
  m_done = 0;
  m_total = total;
  Show();
}

void CStartupProgress::CallDone() {
  if (m_window == nullptr) return;
  m_done = std::min(m_done + 1, m_total);
  if (::GetTickCount() - m_shownAt >= kRedrawMs) Show();
}

void CStartupProgress::End() {
  if (m_window != nullptr) ::InvalidateRect(m_window, nullptr, TRUE);
  m_window = nullptr;
}

// Drawn straight into the client area: no panel covers it yet, and the window
// thread serves only paint while a call runs.
std::string CStartupProgress::Text() const {
  if (m_window == nullptr) return {};
  return LoadFormatted(IDS_READING_SETTINGS, std::to_string(m_done), std::to_string(m_total));
}

void CStartupProgress::Show() {
  m_shownAt = ::GetTickCount();
  const std::string text = Text();
  RECT client;
  ::GetClientRect(m_window, &client);
  HDC dc = ::GetDC(m_window);
  FillWithColour(dc, client, ::GetSysColor(COLOR_WINDOW));
  const CSystemFontAt font(WindowDpi(m_window));
  DrawCaption(dc, client, text, font.Font(), ::GetSysColor(COLOR_WINDOWTEXT));
  ::ReleaseDC(m_window, dc);
}
