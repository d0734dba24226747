#include "app/instrument_link.h"

#include <optional>

#include "app/connection_wnd.h"
#include "app/main_wnd.h"
#include "app/setup_commands.h"
#include "app/sfp_app.h"
#include "controls/palette.h"
#include "framework/win32/beep.h"
#include "framework/win32/dialog_colors.h"
#include "framework/win32/worker_call.h"
#include "instrument/io_log.h"
#include "instrument/live_instrument.h"
#include "instrument/nonlive_instrument.h"
#include "instrument/setup_file.h"
#include "instrument/user_exception.h"
#include "panels/try_or_report.h"
#include "res/resource.h"

namespace {

constexpr int16_t kPowerOnBit = 0x80;
// Refusals this close together belong to one action of the operator's.
constexpr unsigned long kOneActionMs = 500;
const COLORREF kLinkDownColor = RGB(255, 0, 0);
const COLORREF kLiveColor = RGB(0, 255, 0);

CMainWnd* MainWindow() { return static_cast<CMainWnd*>(theApp.m_pMainWnd); }

CLiveInstrument* LiveInstrument() { return dynamic_cast<CLiveInstrument*>(CurrentInstrument()); }

// Runs an instrument operation without telling the operator of its failure.
template <typename Steps>
bool Quietly(Steps steps) {
  try {
    steps();
    return true;
  } catch (const CUserException&) {
    return false;
  }
}

// The third comma-separated field of an *IDN? reply, "" when it has none.
std::string SerialOf(const std::string& identity) {
  size_t first = identity.find(',');
  size_t second = first == std::string::npos ? first : identity.find(',', first + 1);
  if (second == std::string::npos) return {};
  size_t end = identity.find(',', second + 1);
  return identity.substr(second + 1, end == std::string::npos ? end : end - second - 1);
}

void ShowLampColor(COLORREF color) {
  theApp.m_activeColor = color;
  if (MainWindow() != nullptr) MainWindow()->ShowActiveColor();
}

}  // namespace

CInstrumentLink& InstrumentLink() {
  static CInstrumentLink link;
  return link;
}

int CInstrumentLink::SecondsBeforeTry(int triesMade) {
  static const int kSchedule[] = {1, 2, 5};
  return triesMade < 3 ? kSchedule[triesMade] : 10;
}

void CInstrumentLink::LinkDown() {
  if (m_down) return;
  m_down = true;
  m_waitForOperator = false;
  m_triesMade = 0;
  m_secondsLeft = SecondsBeforeTry(0);
  m_lastBeepMs = ::GetTickCount();
  ShowLampColor(kLinkDownColor);
  OpenWindow();
  ShowWaiting();
}

void CInstrumentLink::Refused() {
  LinkDown();
  if (m_window != nullptr) m_window->ToFront();
  unsigned long now = ::GetTickCount();
  if (now - m_lastBeepMs < kOneActionMs) return;
  m_lastBeepMs = now;
  DefaultBeep();
}

void CInstrumentLink::OpenWindow() {
  if (m_window != nullptr || MainWindow() == nullptr) return;
  m_window = CConnectionWnd::Open(
      MainWindow(), {[this] { Reconnect(); }, [this] { WorkNonLive(); }, [this] { Tick(); },
                     [this](const CConnectionWnd* gone) {
                       if (m_window == gone) m_window = nullptr;
                     }});
}

void CInstrumentLink::ShowWaiting() {
  if (m_window == nullptr || m_waitForOperator) return;
  m_window->SetText(LoadFormatted(IDS_LINK_RETRY_IN, theApp.m_rsrcName, std::to_string(m_secondsLeft)));
}

void CInstrumentLink::Tick() {
  if (!m_down || m_trying || m_waitForOperator) return;
  if (--m_secondsLeft > 0) {
    ShowWaiting();
    return;
  }
  Reconnect();
}

void CInstrumentLink::Reconnect() {
  CLiveInstrument* live = LiveInstrument();
  if (live == nullptr || m_trying || live->IsBusy()) return;
  m_trying = true;
  if (m_window != nullptr) m_window->SetText(LoadFormatted(IDS_LINK_RETRYING, theApp.m_rsrcName));
  CIoActionScope action("Reconnect");
  live->CloseSession();
  std::optional<ViSession> session;
  RunOnWorker([&session] { session = theApp.OpenSessionAgain(); }, MainWindow()->m_hWnd);
  std::string identity;
  int16_t eventStatus = 0;
  bool answered = session.has_value();
  if (answered) {
    live->AttachSession(*session);
    answered = Quietly([&] { identity = live->QueryIdentity(); });
  }
  if (answered && !SameInstrument(identity)) {
    live->CloseSession();
    m_trying = false;
    LinkDown();
    m_waitForOperator = true;
    if (m_window != nullptr)
      m_window->SetText(LoadFormatted(IDS_LINK_WRONG_INSTRUMENT, theApp.m_rsrcName, identity));
    return;
  }
  answered = answered && Quietly([&] { eventStatus = live->ReadEventStatus(); });
  m_trying = false;
  if (!answered) {
    live->CloseSession();
    TryFailed();
    return;
  }
  Restored(*live, eventStatus);
}

void CInstrumentLink::TryFailed() {
  if (!m_down) {
    LinkDown();
    return;
  }
  m_waitForOperator = false;
  m_secondsLeft = SecondsBeforeTry(++m_triesMade);
  ShowWaiting();
}

bool CInstrumentLink::SameInstrument(const std::string& identity) {
  const std::string prefix = LoadText(IDS_IDN_PREFIX);
  if (identity.compare(0, prefix.size(), prefix) != 0) return false;
  const std::string serial = SerialOf(identity);
  if (!serial.empty() && !m_serial.empty() && serial != m_serial) return false;
  if (!serial.empty()) m_serial = serial;
  return true;
}

void CInstrumentLink::Restored(CLiveInstrument& live, int16_t eventStatus) {
  m_down = false;
  m_waitForOperator = false;
  CloseWindow();
  ShowLampColor(kLiveColor);
  if (eventStatus & kPowerOnBit)
    AskAboutPowerOn(live);
  else
    MainWindow()->SyncPanels();
}

// The instrument holds its power-on settings, the panels the operator's: the
// operator says which win. No is the default, since it sends nothing.
void CInstrumentLink::AskAboutPowerOn(CLiveInstrument& live) {
  int answer = ColoredMessageBox(MainWindow()->m_hWnd, LoadText(IDS_POWER_ON_QUESTION).c_str(),
                                 LoadText(IDS_APP_TITLE).c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
  if (answer != IDYES) {
    MainWindow()->SyncPanels();
    return;
  }
  std::vector<CSetupStep> steps = RememberedSetup(live);
  live.SetDefaults();
  RecallSteps(steps, [] { MainWindow()->RefreshCurrentPanel(); });
}

void CInstrumentLink::WorkNonLive() {
  CInstrument* current = CurrentInstrument();
  if (current == nullptr || !current->m_live) return;
  auto* nonLive = new CNonLiveInstrument();
  nonLive->CopyRememberedState(*current);
  theApp.ReplaceInstrument(nonLive, PanelColor(4));
}

void CInstrumentLink::Forget() {
  m_down = false;
  m_trying = false;
  m_waitForOperator = false;
  m_serial.clear();
  CloseWindow();
}

void CInstrumentLink::CloseWindow() {
  if (m_window != nullptr) m_window->Close();
  m_window = nullptr;
}
