// The operator's walk through the whole program on the simulated mainframe:
// every panel from the menu with one change on each, then Reset, Sync, Self
// Test and Exit.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/text_panel.h"
#include "instrument/instrument.h"
#include "res/resource.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

struct CVisit {
  UINT command;
  int field;
  const char* typed;
  const char* key;       // in the instrument's state
  const char* value;     // after the change
  const char* default_;  // after Reset
};

const CVisit kVisits[] = {
    {ID_PANELS_MAIN, IDC_MAIN_AMPL, "2", "ampl", "2", "0.10000000000000001"},
    {ID_PANELS_AM, IDC_AM_DEPTH, "50", "am.depth", "50", "100"},
    {ID_PANELS_BM, IDC_BM_RATE, "200", "bm.rate", "200", "100"},
    {ID_PANELS_FM, IDC_FM_DEV, "1k", "fm.dev", "1000", "100"},
    {ID_PANELS_FSK, IDC_FSK_FREQ, "2k", "fsk.freq", "2000", "100"},
    {ID_PANELS_SWEEP, IDC_SWEEP_STOP, "20k", "swe.stop", "20000", "1000"},
};

BOOL CALLBACK CountIfVisible(HWND hWnd, LPARAM counter) {
  if (::IsWindowVisible(hWnd)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}

int VisibleWindowsOfThisThread() {
  int count = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CountIfVisible, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(OperatorWalk, EveryPanelThenResetSyncSelfTestAndExit) {
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  ASSERT_TRUE(StartLive(app));
  ASSERT_TRUE(boxes.m_boxes.empty());

  for (const CVisit& visit : kVisits) {
    app.Command(visit.command);
    EXPECT_TRUE(app.IsChecked(visit.command)) << visit.key;
    EnterValue(app.Panel(), visit.field, visit.typed);
    EXPECT_EQ(mainframe.StateOf(visit.key), visit.value);
  }
  app.Command(ID_PANELS_STATUS);
  ClickButton(app.Panel(), IDC_STAT_READ_ERROR);
  auto* number = static_cast<CTextPanel*>(
      CWnd::FromHandle(::GetDlgItem(app.Panel(), IDC_STAT_ERROR_NUMBER)));
  EXPECT_EQ(number->m_caption, "0");
  EXPECT_TRUE(boxes.m_boxes.empty());
  for (const CVisit& visit : kVisits) EXPECT_EQ(mainframe.StateOf(visit.key), visit.value);

  app.Command(ID_SYSTEM_RESET);
  for (const CVisit& visit : kVisits) EXPECT_EQ(mainframe.StateOf(visit.key), visit.default_);
  EXPECT_EQ(number->m_caption, "-");

  mainframe.ClearTraffic();
  app.Command(ID_SYSTEM_SYNC);
  Lines writes;
  for (const std::string& line : mainframe.TakeTraffic())
    if (line.rfind("write ", 0) == 0) writes.push_back(line);
  EXPECT_GT(writes.size(), 20u);
  for (const std::string& line : writes) EXPECT_EQ(line.back(), '?') << "Sync sent " << line;
  EXPECT_EQ(theApp.m_pInstrument->m_ampl, 0.1);
  EXPECT_EQ(theApp.m_pInstrument->m_stopFreq, 1000);

  app.Command(ID_SYSTEM_SELFTEST);
  ASSERT_EQ(boxes.m_boxes.size(), 1u);
  EXPECT_EQ(boxes.m_boxes[0].caption, "TG Q3207 Self Test");
  EXPECT_EQ(boxes.m_boxes[0].text.rfind("0, ", 0), 0u) << boxes.m_boxes[0].text;

  app.Stop();
  EXPECT_FALSE(app.IsRunning());
  EXPECT_EQ(VisibleWindowsOfThisThread(), 0);
  Lines traffic = mainframe.Traffic();
  ASSERT_FALSE(traffic.empty());
  EXPECT_EQ(traffic.back(), std::string("close ") + kSimulatedResource);
  EXPECT_EQ(boxes.m_boxes.size(), 1u);
}

}  // namespace
