#include "app/connection_wnd.h"

#include <algorithm>

#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CConnectionWnd, CDialog)

BEGIN_MESSAGE_MAP(CConnectionWnd, CDialog)
  ON_WM_TIMER()
  ON_COMMAND(IDC_CONNECTION_RECONNECT, OnReconnectNow)
  ON_COMMAND(IDC_CONNECTION_NON_LIVE, OnWorkNonLive)
  ON_MESSAGE(kCloseNow, OnCloseNow)
END_MESSAGE_MAP()

CConnectionWnd::CConnectionWnd(CWnd* owner, CConnectionActions actions)
    : CDialog(IDD_CONNECTION, owner), m_actions(std::move(actions)) {}

CConnectionWnd* CConnectionWnd::Open(CWnd* owner, CConnectionActions actions) {
  auto* window = new CConnectionWnd(owner, std::move(actions));
  if (!window->CDialog::Create()) {
    delete window;
    return nullptr;
  }
  window->ToFront();
  return window;
}

// Beside the main window, so that it covers neither the panel nor the boxes
// centred on it; on the left when there is no room on the right.
BOOL CConnectionWnd::OnInitDialog() {
  CDialog::OnInitDialog();
  RECT owner, own, desktop;
  ::GetWindowRect(m_pParent->m_hWnd, &owner);
  ::GetWindowRect(m_hWnd, &own);
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &desktop, 0);
  const int width = own.right - own.left;
  const int left = owner.right + width <= desktop.right ? owner.right : std::max(0L, owner.left - width);
  ::SetWindowPos(m_hWnd, nullptr, left, owner.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::SetTimer(m_hWnd, kTickTimer, kTickMs, nullptr);
  return TRUE;
}

void CConnectionWnd::SetText(const std::string& text) {
  ::SetDlgItemTextA(m_hWnd, IDC_CONNECTION_TEXT, text.c_str());
}

std::string CConnectionWnd::Text() const {
  char text[512] = {};
  ::GetDlgItemTextA(m_hWnd, IDC_CONNECTION_TEXT, text, sizeof text);
  return text;
}

void CConnectionWnd::ToFront() {
  ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
  ::SetForegroundWindow(m_hWnd);
}

// The window may be closed by its own buttons' actions: it goes once they
// have returned.
void CConnectionWnd::Close() {
  ::KillTimer(m_hWnd, kTickTimer);
  ::ShowWindow(m_hWnd, SW_HIDE);
  ::PostMessageA(m_hWnd, kCloseNow, 0, 0);
}

LRESULT CConnectionWnd::OnCloseNow(WPARAM, LPARAM) {
  DestroyWindow();
  return 0;
}

void CConnectionWnd::OnCancel() { ::ShowWindow(m_hWnd, SW_HIDE); }

void CConnectionWnd::PostNcDestroy() {
  std::function<void(const CConnectionWnd*)> closed = std::move(m_actions.m_closed);
  delete this;
  if (closed) closed(this);
}

void CConnectionWnd::OnTimer(UINT_PTR) { m_actions.m_tick(); }

void CConnectionWnd::OnReconnectNow() {
  std::function<void()> action = m_actions.m_reconnectNow;
  action();
}

void CConnectionWnd::OnWorkNonLive() {
  std::function<void()> action = m_actions.m_workNonLive;
  action();
}
