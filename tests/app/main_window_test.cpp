#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/main_wnd.h"
#include "app/setup_commands.h"
#include "app/sfp_app.h"
#include "app/startup_progress.h"
#include "framework/win32/dialog_colors.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/proportional_layout.h"
#include "framework/win32/wait_cursor.h"
#include "instrument/io_log.h"
#include "panels/panel.h"
#include "panels/panel_dialog.h"
#include "panels/panel_list.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/recording_instrument.h"

namespace {

std::string MenuText(HMENU menu, UINT position) {
  char text[64] = "";
  ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
  return text;
}

TEST(MainWindow, IsCreatedHiddenCentredWithItsCaptionStyleAndMenu) {
  theApp.Startup(::GetModuleHandleA(nullptr), "");
  auto* window = new CMainWnd();
  HWND hWnd = window->m_hWnd;
  ASSERT_NE(hWnd, nullptr);
  RECT outer, desktop;
  ::GetWindowRect(hWnd, &outer);
  ::GetWindowRect(::GetDesktopWindow(), &desktop);
  EXPECT_EQ(outer.right - outer.left, 402);
  EXPECT_EQ(outer.bottom - outer.top, 404);
  EXPECT_EQ(outer.left, (desktop.right - desktop.left - 402) / 2);
  EXPECT_EQ(outer.top, (desktop.bottom - desktop.top - 404) / 2);
  EXPECT_FALSE(::IsWindowVisible(hWnd));
  EXPECT_EQ(TextOf(hWnd), "TG Q3207A");
  LONG style = ::GetWindowLongA(hWnd, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_EQ(::GetParent(hWnd), nullptr);

  HMENU menu = ::GetMenu(hWnd);
  ASSERT_NE(menu, nullptr);
  ASSERT_EQ(::GetMenuItemCount(menu), 3);
  EXPECT_EQ(MenuText(menu, 0), "&System");
  EXPECT_EQ(MenuText(menu, 1), "&Panels");
  EXPECT_EQ(MenuText(menu, 2), "&Help");

  struct Item {
    const char* text;
    UINT id;
  };
  const std::vector<std::vector<Item>> expected = {
      {{"&Reset", 32774},
       {"&Sync", 32772},
       {"Self &Test", 32771},
       {"Sa&ve Setup...", 32786},
       {"Re&call Setup...", 32787},
       {"&I/O Log", 32788},
       {"Co&nnect...", 32789},
       {"R&econnect", 32790},
       {"", 0},
       {"E&xit", 32773}},
      {{"&Main Panel", 32777},
       {"&AM Panel", 32781},
       {"&BM Panel", 32782},
       {"&FM Panel", 32783},
       {"F&SK Panel", 32785},
       {"S&weep Panel", 32784},
       {"&Status ", 32778}},
      {{"&Help Contents", 32775}, {"", 0}, {"&About...", 32776}}};
  for (int m = 0; m < 3; ++m) {
    HMENU sub = ::GetSubMenu(menu, m);
    ASSERT_EQ(::GetMenuItemCount(sub), static_cast<int>(expected[m].size()));
    for (size_t i = 0; i < expected[m].size(); ++i) {
      EXPECT_EQ(MenuText(sub, static_cast<UINT>(i)), expected[m][i].text);
      if (expected[m][i].id == 0)
        EXPECT_TRUE(::GetMenuState(sub, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR);
      else
        EXPECT_EQ(::GetMenuItemID(sub, static_cast<int>(i)), expected[m][i].id);
    }
  }
  window->DestroyWindow();
  PumpMessages();
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

TEST(StartUp, EndsWithTheMainPanelCheckedAndShown) {
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  app.Start(instrument);
  EXPECT_TRUE(::IsWindowVisible(app.Main()));
  for (UINT id : {ID_PANELS_STATUS, ID_PANELS_AM, ID_PANELS_BM, ID_PANELS_FM, ID_PANELS_SWEEP,
                  ID_PANELS_FSK})
    EXPECT_FALSE(app.IsChecked(id)) << id;
  EXPECT_TRUE(app.IsChecked(ID_PANELS_MAIN));
  ASSERT_NE(theApp.m_pCurrentPanel, nullptr);
  EXPECT_EQ(theApp.m_pCurrentPanel->m_name, "Main Panel");
  // The first Sync ran before the panel existed.
  ASSERT_FALSE(instrument->m_calls.empty());
  EXPECT_EQ(instrument->m_calls.front(), "Sync()");
}

// Refuses the creation of every main window while it lives.
class CNoMainWindow {
 public:
  CNoMainWindow()
      : m_hook(::SetWindowsHookExA(WH_CBT, Refuse, nullptr, ::GetCurrentThreadId())) {}
  ~CNoMainWindow() { ::UnhookWindowsHookEx(m_hook); }

 private:
  static LRESULT CALLBACK Refuse(int code, WPARAM wParam, LPARAM lParam) {
    char cls[32] = "";
    if (code == HCBT_CREATEWND)
      ::GetClassNameA(reinterpret_cast<HWND>(wParam), cls, sizeof cls);
    if (lstrcmpA(cls, "SfpFrameWindow") == 0) return 1;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
  }
  HHOOK m_hook;
};

TEST(StartUp, WithoutItsMainWindowSaysSoAndEnds) {
  CBoxWatcher boxes;
  bool deleted = false;
  auto* instrument = new CRecordingInstrument();
  instrument->m_deleted = &deleted;
  theApp.Startup(::GetModuleHandleA(nullptr), "");
  theApp.m_pInstrument = instrument;
  {
    CNoMainWindow refused;
    EXPECT_FALSE(theApp.InitInstance());
  }
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Could not create the main window."});
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
  EXPECT_TRUE(instrument->m_calls.empty());  // no search, no Sync
  theApp.FinalCleanup();
  EXPECT_TRUE(deleted);
}

TEST(StartUp, RegistersTheSevenPanelsInOrderWithTheirNames) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  std::vector<std::string> names;
  std::vector<std::string> classes;
  for (CPanel* panel : theApp.m_panels) {
    names.push_back(panel->m_name);
    classes.push_back(panel->GetRuntimeClass()->m_className);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Main Panel", "Status Panel",
                                             "Amplitude Modulation Panel", "Burst Modulation Panel",
                                             "Frequency Modulation Panel", "Sweep Panel",
                                             "Frequency Shift Keying Panel"}));
  EXPECT_EQ(classes, (std::vector<std::string>{"CPan1Obj", "CStatObj", "CAmplObj", "CBurstObj",
                                               "CFreqObj", "CSweepObj", "CFskObj"}));
  EXPECT_TRUE(theApp.m_panels[0]->IsKindOf(RUNTIME_CLASS(CPanel)));
  EXPECT_STREQ(theApp.m_pMainWnd->GetRuntimeClass()->m_className, "CMainWnd");
}

TEST(StartUp, WithoutAnInstrumentRunsOnTheInMemoryOne) {
  CAppFixture app;
  CBoxWatcher boxes;
  app.Start(nullptr, "-a nothing");
  ASSERT_NE(theApp.m_pInstrument, nullptr);
  EXPECT_EQ(theApp.m_pInstrument->m_live, 0);
  EXPECT_EQ(theApp.GetSlot(), -1);
  EXPECT_EQ(theApp.GetLogicalAddress(), -1);
  EXPECT_EQ(theApp.GetRsrcName(), "Addr Unknown");
  EXPECT_EQ(theApp.GetIntfType(), 0);
}

TEST(DiscoveryRecord, IsAnsweredForALiveInstrumentOnly) {
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  app.Start(instrument);
  theApp.m_slot = 3;
  theApp.m_logicalAddress = 24;
  theApp.m_rsrcName = "GPIB-VXI0::24::INSTR";
  theApp.m_intfType = 3;
  EXPECT_EQ(theApp.GetSlot(), -1);
  EXPECT_EQ(theApp.GetRsrcName(), "Addr Unknown");
  instrument->m_live = 1;
  EXPECT_EQ(theApp.GetSlot(), 3);
  EXPECT_EQ(theApp.GetLogicalAddress(), 24);
  EXPECT_EQ(theApp.GetRsrcName(), "GPIB-VXI0::24::INSTR");
  EXPECT_EQ(theApp.GetIntfType(), 3);
  instrument->m_live = 0;
}

// A panel whose dialog destroys its window while it initialises.
class CVanishingDialog : public CPanelDialog {
 public:
  explicit CVanishingDialog(CPanel* owner) : CPanelDialog(IDD_MAIN_PANEL, owner) {}
  ~CVanishingDialog() override { ++s_deleted; }
  static int s_deleted;

 protected:
  BOOL OnInitDialog() override {
    CPanelDialog::OnInitDialog();
    DestroyWindow();
    return TRUE;
  }
};
int CVanishingDialog::s_deleted = 0;

class CVanishingPanel : public CPanel {
 public:
  explicit CVanishingPanel(const std::string& name = "Vanishing Panel") : CPanel(name) {}
  void ShowPanel() override { Show<CVanishingDialog>(this); }
};

// Stands in for the AM panel while it lives.
class CVanishingAmPanel {
 public:
  CVanishingAmPanel() { m_amPanel = std::exchange(Slot(), &m_panel); }
  ~CVanishingAmPanel() { Slot() = m_amPanel; }
  CVanishingPanel m_panel{LoadText(IDS_AM_PANEL)};

 private:
  static CPanel*& Slot() { return theApp.m_panels.at(*PanelRowOfCommand(ID_PANELS_AM)); }
  CPanel* m_amPanel = nullptr;
};

TEST(PanelFramework, ADialogGoneDuringItsInitialisationIsDeletedOnce) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CPanel* shown = theApp.m_pCurrentPanel;
  CVanishingPanel panel;
  const int deletedBefore = CVanishingDialog::s_deleted;
  panel.ShowPanel();
  EXPECT_EQ(CVanishingDialog::s_deleted, deletedBefore + 1);
  EXPECT_EQ(panel.m_pDialog, nullptr);
  EXPECT_EQ(theApp.m_pCurrentPanel, shown);
}

TEST(PanelFramework, APanelWhoseWindowCannotBeMadeLeavesThePanelShownBefore) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CPanel* shown = theApp.m_pCurrentPanel;
  CVanishingAmPanel vanishing;
  app.Command(ID_PANELS_AM);
  EXPECT_EQ(vanishing.m_panel.m_pDialog, nullptr);
  EXPECT_EQ(theApp.m_pCurrentPanel, shown);
  ASSERT_NE(app.Panel(), nullptr);
  EXPECT_TRUE(::IsWindowVisible(app.Panel()));
  EXPECT_TRUE(app.IsChecked(ID_PANELS_MAIN));
  EXPECT_FALSE(app.IsChecked(ID_PANELS_AM));
}

TEST(SystemMenu, SelfTestShowsTheResultInItsOwnBox) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CBoxWatcher boxes;
  app.Command(ID_SYSTEM_SELFTEST);
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 Self Test");
  EXPECT_EQ(boxes.m_boxes[0].text, "Self Test Passed.");
  EXPECT_FALSE(boxes.m_boxes[0].hasIcon);
}

// Without an instrument a setup is kept and applied all the same: each setting
// through the instrument interface under the wait cursor, in a recall's order
// (the waveform name first), then one Sync.
TEST(SystemMenu, SetupsAreSavedAndRecalledOnTheInMemoryInstrument) {
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  app.Start(instrument);
  CBoxWatcher boxes;
  char temp[MAX_PATH];
  ::GetTempPathA(sizeof temp, temp);
  const std::string path = std::string(temp) + "sfp-non-live.scpi";
  instrument->SetFreq(2500);
  instrument->SetBmState(1);
  instrument->Take();
  ASSERT_TRUE(SaveSetupTo(path, [] {}));
  EXPECT_EQ(instrument->Take(), std::vector<std::string>{"Sync()"});
  instrument->Reset();
  instrument->Take();
  RecallSetupFrom(path, [] {});
  ::DeleteFileA(path.c_str());
  std::vector<std::string> calls = instrument->Take();
  ASSERT_EQ(calls.size(), kSettingCount + 1);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 6),
            (std::vector<std::string>{"SetUserFunc(SINC)", "SetAmState(0)", "SetFmState(0)", "SetSweepState(0)",
                                      "SetFskState(0)", "SetFunc(0)"}));
  EXPECT_EQ(calls[kSettingCount - 1], "SetBmState(1)");
  EXPECT_EQ(calls.back(), "Sync()");
  EXPECT_GT(instrument->m_waitDepthAt["SetFreq(2500)"], 0);
  EXPECT_EQ(instrument->GetFreq(0), 2500);
  EXPECT_EQ(instrument->GetBmState(0), 1);
  EXPECT_TRUE(boxes.m_boxes.empty());
  RecallSetupFrom(path, [] {});
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].text.rfind("Setup not recalled: " + path + ": ", 0), 0u) << boxes.m_boxes[0].text;
  for (const std::string& call : instrument->Take()) EXPECT_EQ(call.find("Set"), std::string::npos) << call;
}

// The I/O log window is owned by the main window, resizable, outside the panel
// protocol, checked in the menu while it is open, and opens again where it was.
TEST(SystemMenu, IoLogOpensAndClosesItsOwnWindow) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CPanel* shown = theApp.m_pCurrentPanel;
  app.Command(ID_SYSTEM_IO_LOG);
  HWND log = ::FindWindowA(nullptr, "I/O Log");
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(app.IsChecked(ID_SYSTEM_IO_LOG));
  EXPECT_EQ(::GetWindow(log, GW_OWNER), app.Main());
  EXPECT_TRUE(::GetWindowLongA(log, GWL_STYLE) & WS_THICKFRAME);
  EXPECT_EQ(theApp.m_pCurrentPanel, shown);
  EXPECT_EQ(TextOf(log, IDC_IOLOG_NOTE),
            "Non-live: there is no instrument, so no driver calls are made and none are logged.");
  // The first time it opens beside or below the panel, never over it, with
  // the focus on the list, and it cannot shrink past its buttons.
  RECT main, opened, overlap, lastButton;
  ::GetWindowRect(app.Main(), &main);
  ::GetWindowRect(log, &opened);
  EXPECT_FALSE(::IntersectRect(&overlap, &main, &opened));
  EXPECT_EQ(::GetFocus(), ::GetDlgItem(log, IDC_IOLOG_LIST));
  ::SetWindowPos(log, nullptr, 0, 0, 50, 50, SWP_NOZORDER | SWP_NOMOVE);
  ::GetWindowRect(::GetDlgItem(log, IDC_IOLOG_TO_FILE), &lastButton);
  ::GetWindowRect(log, &opened);
  EXPECT_LT(lastButton.right, opened.right);
  EXPECT_LT(lastButton.bottom, opened.bottom);
  ::SetWindowPos(log, nullptr, 20, 30, 600, 300, SWP_NOZORDER);
  RECT placed;
  ::GetWindowRect(log, &placed);
  ::SendMessageA(log, WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_FALSE(::IsWindow(log));
  EXPECT_FALSE(app.IsChecked(ID_SYSTEM_IO_LOG));
  app.Command(ID_SYSTEM_IO_LOG);
  log = ::FindWindowA(nullptr, "I/O Log");
  ASSERT_NE(log, nullptr);
  RECT again;
  ::GetWindowRect(log, &again);
  EXPECT_TRUE(::EqualRect(&placed, &again));
  app.Command(ID_SYSTEM_IO_LOG);
  EXPECT_FALSE(::IsWindow(log));
  EXPECT_FALSE(app.IsChecked(ID_SYSTEM_IO_LOG));
}

// The list follows new calls while its last row is in view, and stays where
// the operator scrolled to otherwise; the focused row is shown whole below it.
TEST(SystemMenu, IoLogFollowsNewCallsUntilScrolledUp) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  auto record = [](size_t calls) {
    for (size_t i = 0; i < calls; ++i) {
      CIoRecord call;
      call.m_entry = "tgq3207_cmdReal";
      call.m_reply = "-300,Device-specific error; the whole of this reply must be readable";
      call.m_status = -1;
      IoLog().Record(call);
    }
  };
  record(CIoLog::kCapacity);  // a full log, shown at the end when the window opens
  app.Command(ID_SYSTEM_IO_LOG);
  HWND log = ::FindWindowA(nullptr, "I/O Log");
  ASSERT_NE(log, nullptr);
  HWND list = ::GetDlgItem(log, IDC_IOLOG_LIST);
  auto add = [log, &record](size_t calls) {
    record(calls);
    ::SendMessageA(log, WM_TIMER, 1, 0);
  };
  auto lastInView = [list] {
    return ListView_GetTopIndex(list) + ListView_GetCountPerPage(list) >= ListView_GetItemCount(list);
  };
  add(100);
  add(100);
  EXPECT_TRUE(lastInView());
  ListView_EnsureVisible(list, 0, FALSE);  // the operator scrolls up
  add(5);
  EXPECT_EQ(ListView_GetTopIndex(list), 0);
  ListView_EnsureVisible(list, ListView_GetItemCount(list) - 1, FALSE);
  add(5);
  EXPECT_TRUE(lastInView());
  const int last = ListView_GetItemCount(list) - 1;
  ListView_SetItemState(list, last, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
  EXPECT_NE(TextOf(log, IDC_IOLOG_DETAILS).find(
                "-300,Device-specific error; the whole of this reply must be readable"),
            std::string::npos)
      << TextOf(log, IDC_IOLOG_DETAILS);
  IoLog().Clear();
  app.Command(ID_SYSTEM_IO_LOG);
}

// While the start-up Sync runs, the main window counts the driver calls.
TEST(StartUp, ProgressCountsDriverCallsUpToTheTotal) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CStartupProgress progress;
  EXPECT_EQ(progress.Text(), "");
  progress.Begin(app.Main(), 2);
  EXPECT_EQ(progress.Text(), "Reading the instrument's settings... (0 of 2)");
  progress.CallDone();
  EXPECT_EQ(progress.Text(), "Reading the instrument's settings... (1 of 2)");
  progress.CallDone();
  progress.CallDone();
  EXPECT_EQ(progress.Text(), "Reading the instrument's settings... (2 of 2)");
  progress.End();
  progress.CallDone();
  EXPECT_EQ(progress.Text(), "");
}

// The main window is shown at the size the Main panel gives it, since each
// panel's size can be read from its template before the panel exists.
TEST(StartUpAtEveryDisplayScale, PanelSizesAreKnownBeforeThePanelsExist) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  for (UINT command : {ID_PANELS_MAIN, ID_PANELS_STATUS, ID_PANELS_AM, ID_PANELS_BM, ID_PANELS_FM,
                       ID_PANELS_SWEEP, ID_PANELS_FSK}) {
    app.Command(command);
    CPanelDialog* dialog = theApp.m_pCurrentPanel->m_pDialog;
    RECT client;
    ::GetClientRect(dialog->m_hWnd, &client);
    const SIZE expected = ProportionalClientSize(dialog->GetTemplateId(), WindowDpi(dialog->m_hWnd));
    EXPECT_EQ(client.right, expected.cx) << command;
    EXPECT_EQ(client.bottom, expected.cy) << command;
  }
}

// "/log FILE" logs from the first call on; "/setup FILE" recalls after the
// start-up Sync, and a missing file gives the Recall Setup box and no more.
TEST(StartUp, StationOptionsLogFromTheStartAndRecallAfterTheSync) {
  char folder[MAX_PATH];
  ::GetTempPathA(MAX_PATH, folder);
  const std::string logPath = std::string(folder) + "sfp station -r log.txt";
  const std::string missing = "C:\\no such folder\\-a setup.scpi";
  const std::wstring line = L"-LOG \"" + std::wstring(logPath.begin(), logPath.end()) +
                            L"\" /setup \"" + std::wstring(missing.begin(), missing.end()) + L"\"";
  CBoxWatcher boxes;
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  theApp.TakeStationOptions(line);
  CCommandLine rest(theApp.m_commandLine);
  EXPECT_FALSE(rest.m_named || rest.m_chooseAny || rest.m_reset) << theApp.m_commandLine;
  app.Start(instrument);
  theApp.TakeStationOptions(L"");
  EXPECT_EQ(IoLog().LogFile(), logPath);
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].text.rfind("Setup not recalled: " + missing + ": ", 0), 0u)
      << boxes.m_boxes[0].text;
  for (const std::string& call : instrument->Take()) EXPECT_EQ(call.find("Set"), std::string::npos) << call;
  IoLog().LogTo(nullptr, "");
  ::DeleteFileA(logPath.c_str());
}

TEST(SystemMenu, ResetRestoresTheDefaultsOfTheInMemoryInstrument) {
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  app.Start(instrument);
  instrument->SetFreq(12345.0);
  instrument->Take();
  app.Command(ID_SYSTEM_RESET);
  EXPECT_EQ(instrument->Take().front(), "Reset()");
  EXPECT_DOUBLE_EQ(instrument->m_freq, 1000.0);
}

// A failed Reset is reported while the wait cursor still shows; a failed Sync
// or Self Test once it has ended. Either way the cursor ends, and a failed
// Self Test shows no result box.
TEST(SystemMenu, AFailedCommandIsReportedOnceAndTheWaitCursorEnds) {
  const struct {
    UINT command;
    const char* operation;
    int depthAtReport;
  } rows[] = {{ID_SYSTEM_RESET, "Reset", 1}, {ID_SYSTEM_SYNC, "Sync", 0},
              {ID_SYSTEM_SELFTEST, "SelfTest", 0}};
  for (const auto& row : rows) {
    CAppFixture app;
    auto* instrument = new CRecordingInstrument();
    app.Start(instrument);
    instrument->Fail(row.operation, -1);
    CBoxWatcher boxes;
    std::vector<int> depthAtBox;
    boxes.m_onDialog = [&depthAtBox](HWND) {
      depthAtBox.push_back(WaitCursorDepth());
      return false;
    };
    app.Command(row.command);
    EXPECT_EQ(depthAtBox, std::vector<int>{row.depthAtReport}) << row.operation;
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"API failure."}) << row.operation;
    EXPECT_EQ(WaitCursorDepth(), 0) << row.operation;
  }
}

TEST(SystemMenu, BusyInstrumentRefusesPanelSwitching) {
  CAppFixture app;
  auto* instrument = new CRecordingInstrument();
  app.Start(instrument);
  HWND before = app.Panel();
  CBoxWatcher boxes;
  instrument->m_busyAnswer = 1;
  app.Command(ID_PANELS_AM);
  instrument->m_busyAnswer = 0;
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"I/O requests too fast."});
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 SFP");
  EXPECT_TRUE(boxes.m_boxes[0].hasIcon);
  EXPECT_EQ(app.Panel(), before);
  EXPECT_TRUE(app.IsChecked(ID_PANELS_MAIN));
}

TEST(SystemMenu, AboutBoxShowsItsTexts) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CBoxWatcher boxes;
  std::vector<std::string> texts;
  std::string caption;
  boxes.m_onOwnDialog = [&](HWND dialog) {
    caption = TextOf(dialog);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
      texts.push_back(TextOf(child));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  app.Command(ID_HELP_ABOUT);
  EXPECT_EQ(caption, "About tgq3207 Sfp");
  for (const char* text : {"tgq3207 Soft Front Panel", "OK", "VERSION: A.01.01",
                           "VXI Plug && Play Driver revision required: A.01.01 or greater",
                           "Inguard Firmware revision required:", "TG Q3207  A.01.00 or greater",
                           "RBX version required: 3.0 or greater"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), text), texts.end()) << text;
}

struct CColorAnswer {
  HBRUSH brush;
  COLORREF brushColor, background, text;
};

// What a window answers to a colour request, asked with a device context of
// its own colours.
CColorAnswer AskColor(HWND window, UINT message) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  ::SetBkColor(dc, RGB(1, 2, 3));
  ::SetTextColor(dc, RGB(4, 5, 6));
  auto brush = reinterpret_cast<HBRUSH>(
      ::SendMessageA(window, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  LOGBRUSH logBrush = {};
  if (brush != nullptr) ::GetObjectA(brush, sizeof logBrush, &logBrush);
  CColorAnswer answer = {brush, logBrush.lbColor, ::GetBkColor(dc), ::GetTextColor(dc)};
  ::DeleteDC(dc);
  return answer;
}

void ExpectDialogColors(HWND window) {
  EXPECT_EQ(AskColor(window, WM_CTLCOLORDLG).brushColor, RGB(192, 192, 192));
  CColorAnswer label = AskColor(window, WM_CTLCOLORSTATIC);
  EXPECT_EQ(label.brushColor, RGB(192, 192, 192));
  EXPECT_EQ(label.background, RGB(192, 192, 192));
  EXPECT_EQ(label.text, RGB(0, 0, 0));
}

TEST(DialogColors, PanelsAboutBoxAndMessageBoxesAreLightGreyWithBlackText) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  ExpectDialogColors(app.Panel());
  CBoxWatcher boxes;
  boxes.m_onDialog = [](HWND box) {
    ExpectDialogColors(box);
    return false;
  };
  boxes.m_onOwnDialog = [](HWND dialog) {
    ExpectDialogColors(dialog);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  };
  StandardMessageBox("standard");
  app.Command(ID_SYSTEM_SELFTEST);
  app.Command(ID_HELP_ABOUT);
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"standard", "Self Test Passed."}));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog of the system's own kind (as a message box is), not the program's.
HWND CreatePlainDialog() {
  struct alignas(4) {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } plain = {};
  plain.dialog.style = WS_POPUP;
  plain.dialog.cx = 40;
  plain.dialog.cy = 20;
  return ::CreateDialogIndirectParamA(::GetModuleHandleA(nullptr), &plain.dialog, nullptr,
                                      &PlainDialogProc, 0);
}

HWND g_outerBox = nullptr;

// A timer tick that opens a second box while the first is open, then closes the first.
void CALLBACK OpenInnerBox(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  StandardMessageBox("inner");
  ::PostMessageA(g_outerBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST(DialogColors, OtherDialogsOfTheThreadKeepThePlatformsOnceTheBoxesHaveClosed) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  CBoxWatcher boxes;
  boxes.m_onDialog = [&boxes](HWND box) {
    ExpectDialogColors(box);
    if (boxes.m_boxes.size() > 1) return false;
    g_outerBox = box;
    ::SetTimer(nullptr, 0, 1, &OpenInnerBox);
    return true;
  };
  StandardMessageBox("outer");
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"outer", "inner"}));

  HBRUSH dialogBrush = DialogColorBrush(WM_CTLCOLORDLG, nullptr);
  ASSERT_NE(dialogBrush, nullptr);
  HWND plain = CreatePlainDialog();
  ASSERT_NE(plain, nullptr);
  EXPECT_NE(AskColor(plain, WM_CTLCOLORDLG).brush, dialogBrush);
  EXPECT_NE(AskColor(plain, WM_CTLCOLORSTATIC).brush, dialogBrush);
  ::DestroyWindow(plain);
}

// A panel whose timer tick sends another timer message to the main window, as
// a message box opened from a tick would let one through.
class CNestingPanel : public CPanel {
 public:
  CNestingPanel() : CPanel("nesting") {}
  void OnPanelTimer() override {
    ++m_ticks;
    if (m_ticks == 1) ::SendMessageA(theApp.m_pMainWnd->m_hWnd, WM_TIMER, 1, 0);
  }
  int m_ticks = 0;
};

TEST(MainWindowTimer, ANestedTickIsDropped) {
  CAppFixture app;
  app.Start(new CRecordingInstrument());
  auto* panel = new CNestingPanel();
  theApp.m_panels.push_back(panel);
  ::SendMessageA(app.Main(), WM_TIMER, 1, 0);
  EXPECT_EQ(panel->m_ticks, 1);
  EXPECT_EQ(static_cast<CMainWnd*>(theApp.m_pMainWnd)->m_inTimer, 0);
  ::SendMessageA(app.Main(), WM_TIMER, 1, 0);
  EXPECT_EQ(panel->m_ticks, 2);
}

TEST(Exit, RunsTheFinalCleanUp) {
  CAppFixture app;
  bool deleted = false;
  auto* instrument = new CRecordingInstrument();
  instrument->m_deleted = &deleted;
  app.Start(instrument);
  app.Command(ID_SYSTEM_EXIT);
  PumpMessages();
  EXPECT_TRUE(deleted);
  EXPECT_EQ(theApp.m_pInstrument, nullptr);
  EXPECT_TRUE(theApp.m_panels.empty());
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

TEST(Exit, ClosingTheWindowDoesTheSame) {
  CAppFixture app;
  bool deleted = false;
  auto* instrument = new CRecordingInstrument();
  instrument->m_deleted = &deleted;
  app.Start(instrument);
  ::SendMessageA(app.Main(), WM_CLOSE, 0, 0);
  PumpMessages();
  EXPECT_TRUE(deleted);
  EXPECT_FALSE(app.IsRunning());
}

}  // namespace
