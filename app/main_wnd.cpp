#include "app/main_wnd.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>

#include "app/about_dlg.h"
#include "app/instrument_link.h"
#include "app/io_log_wnd.h"
#include "app/setup_commands.h"
#include "app/sfp_app.h"
#include "app/startup_progress.h"
#include "framework/win32/dialog_colors.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/proportional_layout.h"
#include "controls/led_lamp.h"
#include "instrument/instrument.h"
#include "instrument/io_log.h"
#include "instrument/setting_table.h"
#include "panels/try_or_report.h"
#include "panels/panel.h"
#include "panels/panel_dialog.h"
#include "panels/panel_list.h"
#include "res/resource.h"

IMPLEMENT_RUNTIME_CLASS(CMainWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMainWnd, CFrameWnd)
  ON_COMMAND(ID_SYSTEM_RESET, OnReset)
  ON_COMMAND(ID_SYSTEM_SYNC, OnSync)
  ON_COMMAND(ID_SYSTEM_SELFTEST, OnSelfTest)
  ON_COMMAND(ID_SYSTEM_SAVE_SETUP, OnSaveSetup)
  ON_COMMAND(ID_SYSTEM_RECALL_SETUP, OnRecallSetup)
  ON_COMMAND(ID_SYSTEM_IO_LOG, OnIoLog)
  ON_COMMAND(ID_SYSTEM_CONNECT, OnConnect)
  ON_COMMAND(ID_SYSTEM_RECONNECT, OnReconnect)
  ON_COMMAND(ID_SYSTEM_EXIT, OnExit)
  ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
  ON_COMMAND(ID_HELP_INDEX, OnHelpContents)
  ON_COMMAND(ID_HELP_ABOUT, OnAbout)
  ON_CONTROL_RANGE(0, ID_PANELS_MAIN, ID_PANELS_FSK, OnPanelCommand)
  ON_WM_TIMER()
  ON_MESSAGE(WM_DPICHANGED, OnDpiChanged)
END_MESSAGE_MAP()

namespace {
const int kWidth = 402;
const int kHeight = 404;

RECT CentredOnDesktop() {
  RECT desktop;
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  const UINT dpi = SystemDpi();
  const int width = AtDpi(kWidth, dpi);
  const int height = AtDpi(kHeight, dpi);
  int left = (desktop.right - desktop.left - width) / 2;
  int top = (desktop.bottom - desktop.top - height) / 2;
  return {left, top, left + width, top + height};
}

std::string WithoutAccessKey(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// "System > Sync": the menu and the item of command `id`, or "" when no item has it.
std::string MenuPath(HMENU bar, UINT id) {
  char text[64];
  for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
    HMENU menu = ::GetSubMenu(bar, i);
    if (::GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND) <= 0) continue;
    std::string item = WithoutAccessKey(text);
    ::GetMenuStringA(bar, i, text, sizeof text, MF_BYPOSITION);
    return WithoutAccessKey(text) + " > " + item;
  }
  return {};
}
}  // namespace

CMainWnd::CMainWnd() {
  Create(LoadText(IDS_MAIN_CAPTION).c_str(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         CentredOnDesktop(), IDR_MAINMENU);
}

void CMainWnd::InitMainWindow() {
  CIoActionScope action("Start-up");
  theApp.FindInstrument();
  RegisterPanels();
  // Shown at once at the size the Main panel will give it.
  FitFrameToPanel(m_hWnd, ProportionalClientSize(IDD_MAIN_PANEL, WindowDpi(m_hWnd)));
  ::ShowWindow(m_hWnd, SW_SHOW);
  UpdateWindow();
  SyncSayingSo();
  OnPanelCommand(ID_PANELS_MAIN);
}

void CMainWnd::SyncSayingSo() {
  if (Instrument().m_live != 0) StartupProgress().Begin(m_hWnd, kSettingCount);
  OnSync();
  StartupProgress().End();
}

void CMainWnd::RegisterPanels() {
  for (const CPanelRow& row : kPanelRows) theApp.m_panels.push_back(row.m_make(row.m_nameId));
}

void CMainWnd::OnPanelCommand(UINT id) {
  std::optional<size_t> shown = PanelRowOfCommand(id);
  if (!shown || *shown >= theApp.m_panels.size()) return;
  if (Instrument().IsBusy()) {
    StandardMessageBox(LoadText(IDS_TOO_FAST));
    return;
  }
  CPanel* panel = theApp.m_panels[*shown];
  CPanel* previous = theApp.m_pCurrentPanel;
  if (panel->m_placement == 0 && previous != nullptr) previous->ClosePanel();
  panel->ShowPanel();
  if (panel->m_pDialog == nullptr && previous != nullptr && previous != panel) {
    // The chosen panel's window could not be made: the operator keeps the
    // panel he had rather than an empty window.
    previous->ShowPanel();
    if (previous->m_pDialog != nullptr) shown = PanelIndex(theApp.m_panels, previous);
  }
  if (shown && *shown < std::size(kPanelRows)) UncheckPanelItems(kPanelRows[*shown].m_commandId);
}

void CMainWnd::UncheckPanelItems(UINT checkedId) {
  HMENU menu = ::GetMenu(m_hWnd);
  for (const CPanelRow& row : kPanelRows)
    ::CheckMenuItem(menu, row.m_commandId, MF_BYCOMMAND | MF_UNCHECKED);
  ::CheckMenuItem(menu, checkedId, MF_BYCOMMAND | MF_CHECKED);
}

void CMainWnd::RefreshCurrentPanel() {
  CPanel* panel = theApp.m_pCurrentPanel;
  if (panel == nullptr) return;
  panel->UpdatePanel();
  if (panel->m_pDialog != nullptr) {
    panel->m_pDialog->Invalidate(TRUE);
    panel->m_pDialog->UpdateWindow();
  }
}

// A failed Reset is reported under the wait cursor; a failed Sync or Self
// Test after it has ended.
void CMainWnd::OnReset() {
  TryOrReportUnderWaitCursor([this] {
    Instrument().Reset();
    RefreshCurrentPanel();
  });
}

void CMainWnd::OnSync() {
  TryOrReportUnderWaitCursor(
      [this] {
        Instrument().Sync();
        RefreshCurrentPanel();
      },
      EReportAt::kAfterWaitCursor);
}

void CMainWnd::OnSelfTest() {
  std::string result;
  if (TryOrReportUnderWaitCursor([&result] { Instrument().SelfTest(result); },
                                 EReportAt::kAfterWaitCursor))
    ColoredMessageBox(m_hWnd, result.c_str(), "TG Q3207 Self Test", MB_OK);
}

void CMainWnd::OnSaveSetup() {
  std::string path;
  if (ChooseSetupFile(m_hWnd, true, path)) SaveSetupTo(path, [this] { RefreshCurrentPanel(); });
}

void CMainWnd::OnRecallSetup() {
  std::string path;
  if (ChooseSetupFile(m_hWnd, false, path)) RecallSetupFrom(path, [this] { RefreshCurrentPanel(); });
}

void CMainWnd::OnIoLog() {
  if (m_pIoLog != nullptr) {
    m_pIoLog->Close();
    return;
  }
  m_pIoLog = CIoLogWnd::Open(this, [this] {
    m_pIoLog = nullptr;
    ::CheckMenuItem(::GetMenu(m_hWnd), ID_SYSTEM_IO_LOG, MF_BYCOMMAND | MF_UNCHECKED);
  });
  if (m_pIoLog != nullptr) ::CheckMenuItem(::GetMenu(m_hWnd), ID_SYSTEM_IO_LOG, MF_BYCOMMAND | MF_CHECKED);
}

// A menu command is the operator action of the driver calls it makes.
LRESULT CMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_COMMAND || lParam != 0 || HIWORD(wParam) != 0)
    return CFrameWnd::WindowProc(message, wParam, lParam);
  CIoActionScope action(MenuPath(::GetMenu(m_hWnd), LOWORD(wParam)));
  return CFrameWnd::WindowProc(message, wParam, lParam);
}

// Moved to a screen of another scale, the window takes the place that Windows
// suggests for it there, and the panel is laid out and drawn again.
LRESULT CMainWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
  ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  CPanel* panel = theApp.m_pCurrentPanel;
  if (panel != nullptr && panel->m_pDialog != nullptr) panel->m_pDialog->ScaleTo(LOWORD(wParam));
  return 0;
}

void CMainWnd::OnExit() { DestroyWindow(); }

void CMainWnd::OnHelpContents() { ::WinHelpA(m_hWnd, "tgq3207.hlp", HELP_CONTENTS, 0); }

void CMainWnd::OnAbout() {
  CAboutDlg about(this);
  about.DoModal();
}

void CMainWnd::OnTimer(UINT_PTR) {
  if (m_inTimer) return;
  m_inTimer = 1;
  for (CPanel* panel : theApp.m_panels) panel->OnPanelTimer();
  Default();
  m_inTimer = 0;
}

void CMainWnd::PostNcDestroy() {
  theApp.FinalCleanup();
  if (theApp.m_pMainWnd == this) theApp.m_pMainWnd = nullptr;
  delete this;
}

void CMainWnd::OnConnect() { theApp.ConnectAgain(); }

void CMainWnd::OnReconnect() { InstrumentLink().Reconnect(); }

void CMainWnd::ReopenCurrentPanel() {
  CPanel* panel = theApp.m_pCurrentPanel;
  if (panel == nullptr) return;
  panel->ClosePanel();
  panel->ShowPanel();
}

void CMainWnd::ShowActiveColor() {
  CPanel* panel = theApp.m_pCurrentPanel;
  if (panel == nullptr || panel->m_pDialog == nullptr) return;
  auto* lamp = dynamic_cast<CLedLamp*>(CWnd::FromHandle(::GetDlgItem(panel->m_pDialog->m_hWnd, IDC_MAIN_LAMP)));
  if (lamp != nullptr) lamp->ShowColor(theApp.m_activeColor);
}
