#include "tests/support/app_fixture.h"

#include "app/main_wnd.h"
#include "app/sfp_app.h"
#include "instrument/io_log.h"
#include "panels/panel.h"
#include "panels/panel_dialog.h"
#include "res/resource.h"

namespace {
void SetAltState(bool down) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[VK_MENU] = keys[VK_LMENU] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}
}  // namespace

CAltKeyHeld::CAltKeyHeld() { SetAltState(true); }
CAltKeyHeld::~CAltKeyHeld() { SetAltState(false); }

void PumpMessages(int ms) {
  DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  do {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      if (theApp.PreTranslateMessage(msg)) continue;
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
    if (ms > 0) ::Sleep(5);
  } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

std::string TextOf(HWND hWnd) {
  char buffer[1024] = "";
  ::GetWindowTextA(hWnd, buffer, sizeof buffer);
  return buffer;
}

std::string TextOf(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }

CAppFixture::~CAppFixture() { Stop(); }

void CAppFixture::Start(CInstrument* instrument, const std::string& commandLine) {
  IoLog().Clear();  // as in a new process
  theApp.Startup(::GetModuleHandleA(nullptr), commandLine.c_str());
  theApp.m_pInstrument = instrument;
  theApp.InitInstance();
  PumpMessages();
}

void CAppFixture::Stop() {
  if (IsRunning()) Command(ID_SYSTEM_EXIT);
  PumpMessages();
}

bool CAppFixture::IsRunning() const { return theApp.m_pMainWnd != nullptr; }

HWND CAppFixture::Main() const { return theApp.m_pMainWnd->m_hWnd; }

HWND CAppFixture::Panel() const {
  CPanel* panel = theApp.m_pCurrentPanel;
  return panel != nullptr && panel->m_pDialog != nullptr ? panel->m_pDialog->m_hWnd : nullptr;
}

void CAppFixture::Command(UINT id) const {
  ::SendMessageA(Main(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool CAppFixture::IsChecked(UINT id) const {
  return (::GetMenuState(::GetMenu(Main()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}
