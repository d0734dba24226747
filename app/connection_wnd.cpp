#include "app/connection_wnd.h"

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

BOOL CConnectionWnd::OnInitDialog() {
  CDialog::OnInitDialog();
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
