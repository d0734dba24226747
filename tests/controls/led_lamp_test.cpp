#include "controls/led_lamp.h"

#include <gtest/gtest.h>

#include "controls/palette.h"

namespace {

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
  EXPECT_EQ(r.left, left);
  EXPECT_EQ(r.top, top);
  EXPECT_EQ(r.right, right);
  EXPECT_EQ(r.bottom, bottom);
}

TEST(LampGeometry, AWideControlGivesASquareOfItsHeightCentredAcross) {
  ExpectRect(LampSquare({10, 5, 41, 25}), 15, 5, 35, 25);  // 31 x 20: (31 - 20) / 2 = 5
  ExpectRect(LampSquare({0, 0, 20, 20}), 0, 0, 20, 20);
}

TEST(LampGeometry, ATallControlGivesASquareOfItsWidthCentredDown) {
  ExpectRect(LampSquare({0, 0, 12, 19}), 0, 3, 12, 15);
}

TEST(LampGeometry, TheFaceIsInsetByAFifthOfTheSideTruncated) {
  EXPECT_EQ(LampFaceInset(20), 4);
  EXPECT_EQ(LampFaceInset(24), 4);
  EXPECT_EQ(LampFaceInset(25), 5);
  EXPECT_EQ(LampFaceInset(4), 0);
}

// Paints the lamp into a bitmap and reads pixels back.
class LampPaint : public ::testing::Test {
 protected:
  void SetUp() override {
    dc = ::CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 60;
    info.bmiHeader.biHeight = 30;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = ::SelectObject(dc, bitmap);
  }
  void TearDown() override {
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
  }
  void Paint(CLedLamp& lamp, RECT item) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hDC = dc;
    draw.rcItem = item;
    lamp.DrawItem(draw);
  }
  COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }

  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
};

TEST_F(LampPaint, AWideLampIsACircleOfTheHeightOnTheBackground) {
  const COLORREF green = RGB(0, 255, 0), back = RGB(0, 0, 128);
  CLedLamp lamp(green, back);
  Paint(lamp, {0, 0, 60, 30});  // square 15..45
  EXPECT_EQ(At(30, 15), green);      // centre
  EXPECT_EQ(At(2, 15), back);        // left of the square
  EXPECT_EQ(At(57, 15), back);       // right of the square
  EXPECT_EQ(At(15, 0), back);        // corner of the square, outside the circle
  EXPECT_EQ(At(30, 3), PanelColor(7));  // ring between the outline and the face (inset 6)
  EXPECT_EQ(At(30, 7), green);          // inside the face
}

TEST_F(LampPaint, ItsColourNeverDependsOnAnythingButConstruction) {
  CLedLamp lamp(RGB(64, 64, 64), RGB(192, 192, 192));
  Paint(lamp, {0, 0, 60, 30});
  Paint(lamp, {0, 0, 60, 30});
  EXPECT_EQ(At(30, 15), RGB(64, 64, 64));
  EXPECT_EQ(At(1, 1), RGB(192, 192, 192));
}

}  // namespace
