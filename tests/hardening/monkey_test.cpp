// Thousands of random operator actions on the live program over the simulated
// mainframe, with faults injected at random: time-outs, rejected values, error
// floods, a slow instrument, calls refused while another is in progress, and a
// link that goes with two headers and comes back with the module switched off
// and on; the operator also reconnects and connects again.
// It passes when the program never crashes or hangs, every box is answered,
// and after each checkpoint Sync (every hundred actions, and at the end) the
// remembered state equals the instrument's.
//
//   SFP_MONKEY_SEED=<n>     the seed (printed by every run)
//   SFP_MONKEY_ACTIONS=<n>  how many actions
//   SFP_MONKEY_DELAY_MS=<n> how slow every write and read is (1 ms)
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <random>
#include <string>
#include <vector>

#include "app/instrument_link.h"
#include "app/sfp_app.h"
#include "instrument/instrument.h"
#include "panels/panel.h"
#include "res/resource.h"
#include "tests/hardening/monkey_operator.h"
#include "tests/hardening/remembered_state.h"
#include "tests/live/live_road.h"
#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

namespace {

constexpr unsigned kDefaultSeed = 20261208;
constexpr int kDefaultActions = 1200;
constexpr int kDefaultDelayMs = 1;
// An action that takes longer than this counts as a hang.
constexpr auto kLongestAction = std::chrono::seconds(10);
// Actions between two Syncs whose result is compared with the instrument.
constexpr int kCheckpointEvery = 100;

unsigned long EnvNumber(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  return std::strtoul(text, nullptr, 10);
}

// Set commands whose messages flood the error queue: never queries, so that
// the checkpoint Syncs read through.
const char* const kFloodHeaders[] = {"FREQ",    "VOLT:OFFS", "AM:DEPT",  "FM:DEV",
                                     "BM:PHAS", "SWE:TIME",  "FSK:FREQ", "PULS:DCYC"};

// The built-in Q3207, slow, with time-outs at random I/Os and two floods.
std::string FaultyMainframe(std::mt19937& random, int actions, int delayMs) {
  std::string config = BuiltInMainframeWith("delay-ms " + std::to_string(delayMs) + "\n");
  std::uniform_int_distribution<int> io(40, actions * 4);
  for (int i = 0; i < actions / 60 + 1; ++i)
    config += "timeout-io " + std::to_string(io(random)) + "\n";
  std::uniform_int_distribution<int> header(0, sizeof kFloodHeaders / sizeof *kFloodHeaders - 1);
  for (int i = 0; i < 2; ++i)
    config += std::string("error-flood ") + kFloodHeaders[header(random)] + " 3\n";
  return config + "link-lost-on AM:INT:FREQ\nlink-lost-on FSK:INT:RATE\nlink-lost-again\nlink-back-io 2\npower-cycle\n";
}

int CountStarting(const std::vector<std::string>& lines, const std::string& start) {
  int count = 0;
  for (const std::string& line : lines) count += line.rfind(start, 0) == 0;
  return count;
}

BOOL CALLBACK NoteVisibleDialog(HWND hWnd, LPARAM found) {
  char cls[16] = "";
  ::GetClassNameA(hWnd, cls, sizeof cls);
  char caption[16] = "";
  ::GetWindowTextA(hWnd, caption, sizeof caption);
  // The Connection window stays while the link is down; it is no box.
  if (::IsWindowVisible(hWnd) && lstrcmpA(cls, "#32770") == 0 && lstrcmpA(caption, "Connection") != 0)
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool BoxLeftOpen() {
  bool open = false;
  ::EnumThreadWindows(::GetCurrentThreadId(), NoteVisibleDialog, reinterpret_cast<LPARAM>(&open));
  return open;
}

// "shown", or which part of the current panel is missing.
std::string PanelShown(const CAppFixture& app) {
  const CPanel* current = theApp.m_pCurrentPanel;
  if (current == nullptr) return "no current panel";
  if (app.Panel() == nullptr) return "no dialog of " + current->m_name;
  if (!::IsWindowVisible(app.Main())) return "main window hidden";
  if (!::IsWindowVisible(app.Panel())) return "dialog of " + current->m_name + " hidden";
  return "shown";
}

// The link won back (Reconnect until it is), a Sync (again while a time-out
// still due ends one early), then the settings on which the remembered state
// and the instrument disagree.
std::vector<std::string> SyncAndCompare(CAppFixture& app, CSimulatedMainframe& mainframe,
                                        const CBoxWatcher& boxes) {
  for (int attempt = 0; attempt < 5 && InstrumentLink().IsDown(); ++attempt) app.Command(ID_SYSTEM_RECONNECT);
  if (InstrumentLink().IsDown()) return {"the link did not come back"};
  for (int attempt = 0; attempt < 5; ++attempt) {
    size_t boxesBefore = boxes.m_boxes.size();
    app.Command(ID_SYSTEM_SYNC);
    PumpMessages();
    if (boxes.m_boxes.size() == boxesBefore)
      return Disagreements(RememberedState(*theApp.m_pInstrument), mainframe.State());
  }
  return {"no Sync read through"};
}

TEST(MonkeyRun, RandomOperatorOverAFaultyInstrumentEndsInAgreement) {
  const unsigned seed = static_cast<unsigned>(EnvNumber("SFP_MONKEY_SEED", kDefaultSeed));
  const int actions = static_cast<int>(EnvNumber("SFP_MONKEY_ACTIONS", kDefaultActions));
  const int delayMs = static_cast<int>(EnvNumber("SFP_MONKEY_DELAY_MS", kDefaultDelayMs));
  std::printf("monkey: seed %u (SFP_MONKEY_SEED), %d actions (SFP_MONKEY_ACTIONS), %d ms per I/O"
              " (SFP_MONKEY_DELAY_MS)\n", seed, actions, delayMs);
  std::mt19937 faults(seed ^ 0x5A5A5A5Au);
  const std::string config = FaultyMainframe(faults, actions, delayMs);

  CSimulatedMainframe mainframe(config.c_str());
  CBoxWatcher boxes;
  CAppFixture app;
  ASSERT_TRUE(StartLive(app));
  CMonkeyOperator monkey(app, seed);
  // The power-on question, answered at random; every other box with OK.
  boxes.m_onDialog = [&monkey](HWND box) {
    char text[64] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    if (std::string(text).rfind("The instrument was switched off", 0) != 0) return false;
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(monkey.Chance(50) ? IDYES : IDNO, BN_CLICKED), 0);
    return true;
  };
  boxes.m_onOwnDialog = [](HWND dialog) {
    char caption[32] = "";
    ::GetWindowTextA(dialog, caption, sizeof caption);
    if (lstrcmpA(caption, "Select Instrument") == 0) ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
  int linksLost = 0, reconnects = 0;

  int injected = 0;
  int checkpoints = 0;
  std::vector<std::string> mismatches;
  const std::string resource = kSimulatedResource;
  std::deque<std::string> lastActions;
  const auto started = std::chrono::steady_clock::now();
  for (int done = 0; done < actions; ++done) {
    CInstrument* instrument = theApp.m_pInstrument;  // Connect... replaces it
    const bool wasDown = InstrumentLink().IsDown();
    bool refuse = monkey.Chance(2);
    if (monkey.Chance(3)) {
      mainframe.QueueError(-222, "Data out of range");
      ++injected;
    }
    if (refuse) {
      instrument->m_busy = 1;  // as if another call were still running
      ++injected;
    }
    const auto before = std::chrono::steady_clock::now();
    lastActions.push_back(monkey.Act());
    if (lastActions.size() > 10) lastActions.pop_front();
    if (refuse && theApp.m_pInstrument == instrument) instrument->m_busy = 0;
    const auto took = std::chrono::steady_clock::now() - before;

    std::vector<std::string> traffic = mainframe.TakeTraffic();
    injected += CountStarting(traffic, "timeout " + resource);
    for (const char* header : kFloodHeaders)
      if (config.find(std::string("error-flood ") + header + " ") != std::string::npos)
        injected += CountStarting(traffic, "write " + resource + " " + header + " ");

    ASSERT_TRUE(app.IsRunning()) << "after action " << done << ": " << lastActions.back();
    ASSERT_LT(took, kLongestAction) << "action " << done << " hung: " << lastActions.back();
    ASSERT_FALSE(BoxLeftOpen()) << "after action " << done << ": " << lastActions.back();
    ASSERT_EQ(PanelShown(app), "shown")
        << "no panel shown after action " << done << ": " << lastActions.back();
    ASSERT_EQ(theApp.m_pInstrument->m_busy, 0) << "left busy by action " << done << ": " << lastActions.back();
    linksLost += !wasDown && InstrumentLink().IsDown();
    const bool wonBack = wasDown && !InstrumentLink().IsDown();
    reconnects += wonBack;
    if (wonBack || (done + 1) % kCheckpointEvery == 0 || done + 1 == actions) {
      ++checkpoints;
      const bool downAtCheckpoint = InstrumentLink().IsDown();
      for (const std::string& mismatch : SyncAndCompare(app, mainframe, boxes))
        mismatches.push_back("after action " + std::to_string(done) + ": " + mismatch);
      reconnects += downAtCheckpoint && !InstrumentLink().IsDown();
    }
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf(
      "monkey: %d actions run in %.1f s, %d faults injected, %zu boxes shown, "
      "%d checkpoints, %d links lost, %d won back, %zu mismatches\n",
      actions, seconds, injected, boxes.m_boxes.size(), checkpoints, linksLost, reconnects, mismatches.size());
  for (const std::string& mismatch : mismatches) ADD_FAILURE() << mismatch;
  EXPECT_TRUE(mismatches.empty()) << "seed " << seed;
  EXPECT_GT(injected, 0);
  EXPECT_GT(linksLost, 0);
  EXPECT_GT(reconnects, 0);
  EXPECT_GT(boxes.m_boxes.size(), 0u);
}

}  // namespace
