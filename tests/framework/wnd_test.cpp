// The window objects' message routing.
#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "framework/win32/wnd.h"

namespace {

// A window whose handler destroys it, and whose object deletes itself once the
// window has gone, as the main window and the panel dialogs do. Its deletion
// poisons the object's memory and keeps it, so that a later write shows.
class CSelfDeletingWnd : public CWnd {
 public:
  static void operator delete(void* object, std::size_t size) {
    std::memset(object, 0xDD, size);
    s_deleted = object;
    s_size = size;
  }
  static void* s_deleted;
  static std::size_t s_size;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_USER) return CWnd::WindowProc(message, wParam, lParam);
    DestroyWindow();
    return 7;
  }
  void PostNcDestroy() override { delete this; }
};
void* CSelfDeletingWnd::s_deleted = nullptr;
std::size_t CSelfDeletingWnd::s_size = 0;

TEST(WindowObject, AHandlerThatDestroysItsWindowLeavesTheDeletedObjectUntouched) {
  HWND window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                  nullptr);
  ASSERT_NE(window, nullptr);
  auto* object = new CSelfDeletingWnd();
  object->SubclassWindow(window);
  EXPECT_EQ(::SendMessageA(window, WM_USER, 0, 0), 7);
  EXPECT_FALSE(::IsWindow(window));
  ASSERT_EQ(CSelfDeletingWnd::s_deleted, object);
  const auto* bytes = static_cast<const unsigned char*>(CSelfDeletingWnd::s_deleted);
  std::size_t written = 0;
  for (std::size_t i = 0; i < CSelfDeletingWnd::s_size; ++i) written += bytes[i] != 0xDD;
  EXPECT_EQ(written, 0u) << "bytes written into the object after its deletion";
  ::operator delete(CSelfDeletingWnd::s_deleted);
}

}  // namespace
