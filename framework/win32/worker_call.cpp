#include "framework/win32/worker_call.h"

namespace {

// One worker thread, started on first use. The window thread hands it one
// piece of work at a time: `m_work` is written before `m_wake` is set and read
// back after `m_idle` is set, so the events order every access.
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
    ::ResetEvent(m_idle);
    ::SetEvent(m_wake);
    WaitServing(timerWindow);
  }

  void Stop() {
    if (m_thread == nullptr) return;
    m_stop = true;
    ::SetEvent(m_wake);
    ::WaitForSingleObject(m_thread, INFINITE);
    for (HANDLE* handle : {&m_thread, &m_wake, &m_idle}) {
      ::CloseHandle(*handle);
      *handle = nullptr;
    }
    m_stop = false;
  }

  int m_waiting = 0;

 private:
  bool Start() {
    if (m_thread != nullptr) return true;
    m_wake = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_idle = ::CreateEventA(nullptr, TRUE, TRUE, nullptr);
    if (m_wake != nullptr && m_idle != nullptr)
      m_thread = ::CreateThread(nullptr, 0, &CWorker::ThreadMain, this, 0, nullptr);
    if (m_thread != nullptr) return true;
    for (HANDLE* handle : {&m_wake, &m_idle})
      if (*handle != nullptr) ::CloseHandle(*handle);
    m_wake = m_idle = nullptr;
    return false;
  }

  static DWORD WINAPI ThreadMain(void* param) {
    auto* self = static_cast<CWorker*>(param);
    for (;;) {
      ::WaitForSingleObject(self->m_wake, INFINITE);
      if (self->m_stop) return 0;
      (*self->m_work)();
      self->m_work = nullptr;
      ::SetEvent(self->m_idle);
    }
  }

  // Until the worker is idle: paint, the timers of `timerWindow`, and sent
  // messages, which PeekMessage itself delivers to their windows.
  void WaitServing(HWND timerWindow) {
    ++m_waiting;
    for (;;) {
      DWORD woken = ::MsgWaitForMultipleObjects(1, &m_idle, FALSE, INFINITE,
                                                QS_SENDMESSAGE | QS_PAINT | QS_TIMER);
      if (woken == WAIT_OBJECT_0) break;
      if (woken != WAIT_OBJECT_0 + 1) {
        ::WaitForSingleObject(m_idle, INFINITE);
        break;
      }
      MSG msg;
      while (::PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessageA(&msg);
      while (timerWindow != nullptr &&
             ::PeekMessageA(&msg, timerWindow, WM_TIMER, WM_TIMER, PM_REMOVE))
        ::DispatchMessageA(&msg);
    }
    --m_waiting;
  }

  HANDLE m_thread = nullptr;
  HANDLE m_wake = nullptr;  // auto-reset: work is ready, or the thread is to stop
  HANDLE m_idle = nullptr;  // manual-reset: no work in progress
  const std::function<void()>* m_work = nullptr;
  volatile bool m_stop = false;
};

CWorker g_worker;

}  // namespace

void RunOnWorker(const std::function<void()>& work, HWND timerWindow) {
  g_worker.Run(work, timerWindow);
}

bool IsWaitingForWorker() { return g_worker.m_waiting > 0; }

void StopWorker() { g_worker.Stop(); }
