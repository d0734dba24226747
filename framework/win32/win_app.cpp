#include "framework/win32/win_app.h"

#include <cstdio>

#include "framework/win32/dialog.h"
#include "framework/win32/dialog_colors.h"

IMPLEMENT_RUNTIME_CLASS(CWinApp, CObject)

namespace {
CWinApp* g_app = nullptr;
}  // namespace

CWinApp* GetApp() { return g_app; }

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

void CWinApp::Startup(HINSTANCE instance, const char* commandLine) {
  m_hInstance = instance;
  m_commandLine = commandLine != nullptr ? commandLine : "";
  m_title = LoadText(m_titleId);
}

bool CWinApp::InitInstance() { return true; }

bool CWinApp::PreTranslateMessage(MSG& msg) {
  for (HWND h = msg.hwnd; h != nullptr; h = ::GetAncestor(h, GA_PARENT)) {
    CWnd* wnd = CWnd::FromHandle(h);
    if (wnd != nullptr && wnd->IsKindOf(RUNTIME_CLASS(CDialog)) &&
        static_cast<CDialog*>(wnd)->PreTranslateMessage(msg))
      return true;
  }
  return false;
}

int CWinApp::Run() {
  MSG msg = {};
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

std::string LoadText(UINT id) {
  char buffer[1024];
  HINSTANCE instance = g_app != nullptr ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
  int n = ::LoadStringA(instance, id, buffer, sizeof buffer);
  return std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0);
}

std::string LoadFormatted(UINT formatId, const std::string& first, const std::string& second,
                          const std::string& third) {
  std::string format = LoadText(formatId);
  std::string text(format.size() + first.size() + second.size() + third.size() + 1, '\0');
  text.resize(std::snprintf(&text[0], text.size(), format.c_str(), first.c_str(), second.c_str(), third.c_str()));
  return text;
}

int StandardMessageBox(const std::string& text) {
  HWND owner = g_app != nullptr && g_app->m_pMainWnd != nullptr ? g_app->m_pMainWnd->m_hWnd
                                                                 : nullptr;
  const char* caption = g_app != nullptr ? g_app->m_title.c_str() : "";
  return ColoredMessageBox(owner, text.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
}
