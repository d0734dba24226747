#include "framework/win32/worker_call.h"

#include <atomic>
#include <chrono>
#include <optional>

namespace {

// How long each side looks for the other before it sleeps on its event. Under
// Wine every event set or waited on is a round trip to the wineserver, which
// costs more than a call to a quick instrument; a call that answers within the
// window thread's spin, and the next call of the same change within the
// worker's, cost none.
constexpr std::chrono::microseconds kWindowSpin(500);
constexpr std::chrono::microseconds kWorkerSpin(2000);

// True once `ready()` holds, false when `limit` passed first.
template <typename Ready>
bool SpinUntil(Ready ready, std::chrono::microseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    for (int i = 0; i < 64; ++i) {
      if (ready()) return true;
      YieldProcessor();
    }
    if (std::chrono::steady_clock::now() > end) return ready();
    ::SwitchToThread();  // one CPU: let the other side run
  }
}

// One worker thread, started on first use. The window thread posts one piece of
// work at a time and waits for it. The counters are the truth: work number
// `m_posted` is waiting or running while `m_finished` is behind it. `m_work` is
// written before `m_posted` moves and read after, so the counters order every
// access. The events only wake a side that sleeps; each side checks the
// counters again after every wake.
class CWorker {
 public:
  ~CWorker() { Stop(); }

  void Run(const std::function<void()>& work, HWND timerWindow) {
    if (!Start()) {
      work();
      return;
    }
    WaitServing(timerWindow);  // work that the handler around this wait began
    m_work = &work;
    m_posted.store(m_posted.load() + 1);
    if (m_workerAsleep.load()) ::SetEvent(m_wake);
    WaitServing(timerWindow);
  }

  void Stop() {
    if (m_thread == nullptr) return;
    m_stop.store(true);
    ::SetEvent(m_wake);
    ::WaitForSingleObject(m_thread, INFINITE);
    for (HANDLE* handle : {&m_thread, &m_wake, &m_done}) {
      ::CloseHandle(*handle);
      *handle = nullptr;
    }
    m_stop.store(false);
  }

  int m_waiting = 0;

 private:
  bool Idle() const { return m_finished.load() == m_posted.load(); }

  bool Start() {
    if (m_thread != nullptr) return true;
    m_wake = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_done = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (m_wake != nullptr && m_done != nullptr)
      m_thread = ::CreateThread(nullptr, 0, &CWorker::ThreadMain, this, 0, nullptr);
    if (m_thread != nullptr) return true;
    for (HANDLE* handle : {&m_wake, &m_done})
      if (*handle != nullptr) ::CloseHandle(*handle);
    m_wake = m_done = nullptr;
    return false;
  }

  static DWORD WINAPI ThreadMain(void* param) {
    auto* self = static_cast<CWorker*>(param);
    auto called = [self] { return self->m_stop.load() || !self->Idle(); };
    for (;;) {
      if (!SpinUntil(called, kWorkerSpin)) {
        self->m_workerAsleep.store(true);
        if (!called()) ::WaitForSingleObject(self->m_wake, INFINITE);
        self->m_workerAsleep.store(false);
        continue;
      }
      if (self->m_stop.load()) return 0;
      (*self->m_work)();
      self->m_work = nullptr;
      self->m_finished.store(self->m_finished.load() + 1);
      if (self->m_windowAsleep.load()) ::SetEvent(self->m_done);
    }
  }

  // Until the worker is idle: paint, the timers of `timerWindow`, and sent
  // messages, which PeekMessage itself delivers to their windows. PeekMessage
  // returns a posted quit whatever its filter: it is posted again at the end,
  // for the message loop.
  void WaitServing(HWND timerWindow) {
    if (SpinUntil([this] { return Idle(); }, kWindowSpin)) return;
    ++m_waiting;
    std::optional<WPARAM> quit;
    auto serve = [&quit](HWND window, UINT message) {
      MSG msg;
      while (::PeekMessageA(&msg, window, message, message, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
          quit = msg.wParam;
        else
          ::DispatchMessageA(&msg);
      }
    };
    while (!Idle()) {
      m_windowAsleep.store(true);
      DWORD woken = Idle() ? WAIT_OBJECT_0
                           : ::MsgWaitForMultipleObjects(1, &m_done, FALSE, INFINITE,
                                                         QS_SENDMESSAGE | QS_PAINT | QS_TIMER);
      if (woken != WAIT_OBJECT_0 && woken != WAIT_OBJECT_0 + 1) {
        while (!Idle()) ::WaitForSingleObject(m_done, INFINITE);
      }
      m_windowAsleep.store(false);
      if (woken != WAIT_OBJECT_0 + 1) continue;
      serve(nullptr, WM_PAINT);
      if (timerWindow != nullptr) serve(timerWindow, WM_TIMER);
    }
    if (quit) ::PostQuitMessage(static_cast<int>(*quit));
    --m_waiting;
  }

  HANDLE m_thread = nullptr;
  HANDLE m_wake = nullptr;  // auto-reset: work is posted, or the thread is to stop
  HANDLE m_done = nullptr;  // auto-reset: the worker finished a piece of work
  const std::function<void()>* m_work = nullptr;
  std::atomic<unsigned> m_posted{0};
  std::atomic<unsigned> m_finished{0};
  std::atomic<bool> m_workerAsleep{false};
  std::atomic<bool> m_windowAsleep{false};
  std::atomic<bool> m_stop{false};
};

CWorker g_worker;

}  // namespace

void RunOnWorker(const std::function<void()>& work, HWND timerWindow) {
  g_worker.Run(work, timerWindow);
}

bool IsWaitingForWorker() { return g_worker.m_waiting > 0; }

void StopWorker() { g_worker.Stop(); }
