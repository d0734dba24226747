// The window while a slow instrument keeps a driver call running: it answers
// other threads and repaints, and what the operator does meanwhile is handled
// after the call, in order, as if it had come afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/sfp_app.h"
#include "res/resource.h"
#include "tests/live/live_road.h"
#include "tests/support/logged_calls.h"
#include "tests/support/message_prober.h"

namespace {

// How long the other thread waits for a repaint or an answer.
constexpr int kPatienceMs = 500;

// Every write and read takes 20 ms: a Sync takes well over a second.
class SlowInstrument : public CLiveRoad {
 protected:
  SlowInstrument() : CLiveRoad("delay-ms 20\n") {}

  // What a Sync sends: start-up's traffic from its first query on.
  Lines SyncTraffic() const {
    auto first = std::find(startTraffic.begin(), startTraffic.end(), Write("FUNC?"));
    return Lines(first, startTraffic.end());
  }

  // Sync, with `meanwhile` run on another thread once the Sync's first query
  // has been sent, and `prober` stopped as the Sync ends; true when
  // `meanwhile` ended before the Sync did.
  template <typename Meanwhile>
  bool SyncWhile(Meanwhile meanwhile, CMessageProber* prober = nullptr) {
    std::atomic<bool> syncing{true};
    std::atomic<bool> endedFirst{false};
    std::thread other([&] {
      while (syncing && mainframe.Traffic().empty()) ::Sleep(1);
      meanwhile();
      endedFirst = syncing.load();
    });
    app.Command(ID_SYSTEM_SYNC);
    syncing = false;
    if (prober != nullptr) prober->Stop();
    other.join();
    return endedFirst;
  }
};

// So it is with the I/O log window open, and every call of the Sync is in the
// log, each taking at least the instrument's 20 ms.
TEST_F(SlowInstrument, DuringSyncOtherThreadsAreAnsweredAndThePanelRepaints) {
  HWND field = ::GetDlgItem(panel, IDC_MAIN_FREQ);
  for (bool logOpen : {false, true}) {
    SCOPED_TRACE(logOpen ? "I/O log open" : "I/O log closed");
    if (logOpen) app.Command(ID_SYSTEM_IO_LOG);
    ASSERT_EQ(app.IsChecked(ID_SYSTEM_IO_LOG), logOpen);
    mainframe.ClearTraffic();
    CLoggedCalls logged;
    CMessageProber prober(app.Main());
    bool repainted = false;
    auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(SyncWhile([&] {
      ::InvalidateRect(field, nullptr, TRUE);
      for (int ms = 0; ms < kPatienceMs && !repainted; ++ms) {
        ::Sleep(1);
        repainted = !::GetUpdateRect(field, nullptr, FALSE);
      }
    }, &prober));
    double longestMs = prober.Stop();
    std::chrono::duration<double, std::milli> syncMs = std::chrono::steady_clock::now() - start;
    EXPECT_TRUE(repainted);
    // The goal is 100 ms (scripts/bench.sh measures it). A machine shared with
    // parallel builds adds stalls of some hundred milliseconds, so the longest
    // wait is held to half the Sync: a window frozen for the Sync stays
    // unanswered for all of it.
    EXPECT_LE(longestMs, syncMs.count() / 2);
    EXPECT_GT(prober.Answers(), 10);
    EXPECT_EQ(mainframe.Traffic(), SyncTraffic());
    EXPECT_TRUE(boxes.m_boxes.empty());
    Lines calls = logged.Lines();
    ASSERT_EQ(calls.size(), 32u);
    EXPECT_EQ(calls.front(), "System > Sync | tgq3207_cmdString_Q | FUNC? | SIN | 0x00000000 success");
    EXPECT_EQ(calls.back(), "System > Sync | tgq3207_cmdReal64_Q | FSK:INT:RATE? | 10 | 0x00000000 success");
    for (double ms : logged.DurationsMs()) EXPECT_GE(ms, 20.0);
  }
}

// Self Test, the Status panel and Reset: each refused with "I/O requests too
// fast." if it ran inside the Sync's call.
void PostOperatorInput(HWND main) {
  for (UINT command : {ID_SYSTEM_SELFTEST, ID_PANELS_STATUS, ID_SYSTEM_RESET})
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

TEST_F(SlowInstrument, InputPostedDuringACallIsHandledAfterItAsIfGivenAfter) {
  HWND main = app.Main();
  EXPECT_TRUE(SyncWhile([main] { PostOperatorInput(main); }));
  PumpMessages();
  const Lines during = mainframe.TakeTraffic();
  const std::vector<std::string> boxesDuring = boxes.Texts();
  boxes.m_boxes.clear();
  app.Command(ID_PANELS_MAIN);
  mainframe.ClearTraffic();

  app.Command(ID_SYSTEM_SYNC);
  PostOperatorInput(main);
  PumpMessages();
  EXPECT_EQ(during, mainframe.Traffic());
  EXPECT_EQ(boxesDuring, boxes.Texts());
  EXPECT_EQ(boxesDuring, (std::vector<std::string>{"0, Self test passed"}));
  EXPECT_TRUE(app.IsChecked(ID_PANELS_STATUS));
}

// A close from another program waits for the call, then ends the program.
TEST_F(SlowInstrument, ACloseSentDuringACallEndsTheProgramAfterIt) {
  HWND main = app.Main();
  EXPECT_TRUE(SyncWhile([main] {
    DWORD_PTR result = 0;
    EXPECT_TRUE(::SendMessageTimeoutA(main, WM_CLOSE, 0, 0, SMTO_NORMAL,
                                      kPatienceMs, &result));
  }));
  EXPECT_TRUE(app.IsRunning());
  EXPECT_EQ(mainframe.Traffic(), SyncTraffic());
  PumpMessages();
  EXPECT_FALSE(app.IsRunning());
  Lines traffic = mainframe.Traffic();
  ASSERT_FALSE(traffic.empty());
  EXPECT_EQ(traffic.back(), Event("close"));
}

}  // namespace
