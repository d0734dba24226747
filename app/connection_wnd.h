// The Connection window: a small modeless window, owned by the main window,
// that says while the link to the instrument is down what the program does
// about it, with the operator's two ways out. It ticks once a second.
#pragma once

#include <functional>
#include <string>

#include "framework/win32/dialog.h"

class CConnectionWnd;

struct CConnectionActions {
  std::function<void()> m_reconnectNow;
  std::function<void()> m_workNonLive;
  std::function<void()> m_tick;
  // The window has gone, however it went.
  std::function<void(const CConnectionWnd*)> m_closed;
};

class CConnectionWnd : public CDialog {
  DECLARE_RUNTIME_CLASS(CConnectionWnd)

 public:
  static CConnectionWnd* Open(CWnd* owner, CConnectionActions actions);
  void SetText(const std::string& text);
  std::string Text() const;
  void ToFront();
  void Close();

 protected:
  BOOL OnInitDialog() override;
  // Escape or the close box only hides it: the link is still down.
  void OnCancel() override;
  void PostNcDestroy() override;

 private:
  static constexpr UINT kCloseNow = WM_APP + 1;
  static constexpr UINT_PTR kTickTimer = 1;
  static constexpr UINT kTickMs = 1000;

  CConnectionWnd(CWnd* owner, CConnectionActions actions);
  LRESULT OnCloseNow(WPARAM, LPARAM);
  void OnTimer(UINT_PTR id);
  void OnReconnectNow();
  void OnWorkNonLive();

  CConnectionActions m_actions;

  DECLARE_MESSAGE_MAP(CConnectionWnd)
};
