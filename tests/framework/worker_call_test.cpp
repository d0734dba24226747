// The window thread's wait for work on the worker thread.
#include <gtest/gtest.h>
#include <windows.h>

#include "framework/win32/worker_call.h"

namespace {

// The main window's end posts the quit, then its last cleanup closes the
// instrument on the worker. The wait serves paint meanwhile, and a quit that
// it took along must be there for the message loop afterwards, or the program
// would stay on without a window.
TEST(WorkerCall, AQuitPostedBeforeASlowCallOutlastsTheWaitThatServesPaint) {
  HWND window = ::CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 40, 40, nullptr,
                                  nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  ::PostQuitMessage(3);
  RunOnWorker(
      [window] {
        ::InvalidateRect(window, nullptr, TRUE);
        ::Sleep(100);
      },
      nullptr);
  MSG msg = {};
  bool quit = ::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
  ::DestroyWindow(window);
  ASSERT_TRUE(quit);
  EXPECT_EQ(msg.wParam, 3u);
}

}  // namespace
