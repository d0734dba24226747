// Work that may take seconds (a call to a slow instrument) runs on a worker
// thread while the window thread waits for it without freezing: the wait
// serves what does not come from the operator, that is paint, the timers of
// one window, and messages sent by other threads or programs. Posted messages
// (keys, mouse, menu commands) stay in the queue, in their order, and the
// message loop handles them once the work is done.
#pragma once

#include <windows.h>

#include <functional>

// Runs `work` on the worker thread and returns when it is done. Window thread
// only. `timerWindow` is the window whose timer messages are served meanwhile
// (null: none). A handler that the wait serves may run work of its own; it
// starts once the work in progress is done.
void RunOnWorker(const std::function<void()>& work, HWND timerWindow);

// True while the window thread waits in RunOnWorker.
bool IsWaitingForWorker();

// Stops the worker thread; the next RunOnWorker starts it again.
void StopWorker();
