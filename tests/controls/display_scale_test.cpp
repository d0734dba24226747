// The panels at the display scale of the Wine prefix the tests run in
// (tests/display_scale.sh runs them at 96, 120, 144 and 192 DPI): what the
// program draws itself is in proportion, every text fits its space, and every
// control lies inside its panel. With SFP_DISPLAY_SCALE_AT_96 naming a file, the
// run at 96 DPI writes the drawn elements' rectangles there and the runs at the
// other scales hold theirs against them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "controls/bitmap_picture.h"
#include "controls/led_lamp.h"
#include "controls/plate_drawing.h"
#include "controls/text_button.h"
#include "controls/text_panel.h"
#include "controls/toggle_button.h"
#include "framework/win32/display_scale.h"
#include "framework/win32/proportional_layout.h"
#include "res/resource.h"
#include "tests/support/panel_test.h"

namespace {
const UINT kPanelCommands[] = {ID_PANELS_MAIN, ID_PANELS_STATUS, ID_PANELS_AM, ID_PANELS_BM,
                               ID_PANELS_FM,   ID_PANELS_SWEEP,  ID_PANELS_FSK};

RECT InPanel(HWND panel, HWND child) {
  RECT r;
  ::GetWindowRect(child, &r);
  ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::vector<HWND> ChildrenOf(HWND panel) {
  std::vector<HWND> children;
  for (HWND child = ::GetWindow(panel, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  return children;
}

std::string ClassOf(HWND window) {
  char name[32] = "";
  ::GetClassNameA(window, name, sizeof name);
  return name;
}

int TextWidth(HFONT font, const std::string& text) {
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, font);
  SIZE extent = {};
  ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
  return extent.cx;
}

// What the program draws itself: its owner-drawn controls and plates, the
// pictures as painted (clipped by their controls) and the spin arrows.
std::map<int, RECT> DrawnElements(HWND panel, UINT dpi) {
  std::map<int, RECT> elements;
  for (HWND child : ChildrenOf(panel)) {
    RECT r = InPanel(panel, child);
    CWnd* object = CWnd::FromHandle(child);
    if (object != nullptr && object->IsKindOf(RUNTIME_CLASS(CBitmapPicture))) {
      const SIZE painted = static_cast<CBitmapPicture*>(object)->PaintedSize(dpi);
      r.right = std::min(r.right, r.left + painted.cx);
      r.bottom = std::min(r.bottom, r.top + painted.cy);
    } else if (!(object != nullptr && (object->IsKindOf(RUNTIME_CLASS(CTextPanel)) ||
                                       object->IsKindOf(RUNTIME_CLASS(CTextButton)) ||
                                       object->IsKindOf(RUNTIME_CLASS(CToggleButton)) ||
                                       object->IsKindOf(RUNTIME_CLASS(CLedLamp)))) &&
               ClassOf(child) != "ScrollBar") {
      continue;
    }
    elements[::GetDlgCtrlID(child)] = r;
  }
  return elements;
}

// A caption drawn by the program, and the width it is drawn in.
struct CDrawnText {
  std::string text;
  int space;
};

std::vector<CDrawnText> DrawnTexts(HWND panel, UINT dpi) {
  std::vector<CDrawnText> texts;
  for (HWND child : ChildrenOf(panel)) {
    const RECT r = InPanel(panel, child);
    const int width = r.right - r.left;
    CWnd* object = CWnd::FromHandle(child);
    if (object == nullptr) continue;
    // Insets on each side: the plate inside its border; the text button's
    // border inside the button; the toggle's border inside its outline.
    const int one = AtDpi(1, dpi);
    if (object->IsKindOf(RUNTIME_CLASS(CTextPanel)))
      texts.push_back({static_cast<CTextPanel*>(object)->m_caption, width - 2 * one});
    else if (object->IsKindOf(RUNTIME_CLASS(CTextButton)))
      texts.push_back({static_cast<CTextButton*>(object)->m_caption, width - 2 * (one + one)});
    else if (object->IsKindOf(RUNTIME_CLASS(CToggleButton))) {
      const auto* toggle = static_cast<CToggleButton*>(object);
      for (const std::string& caption : {toggle->m_caption0, toggle->m_caption1})
        texts.push_back({caption, width - 2 * (AtDpi(2, dpi) + one)});
    }
  }
  return texts;
}

std::string Key(UINT command, int id) { return std::to_string(command) + " " + std::to_string(id); }

const char* BaselineFile() { return std::getenv("SFP_DISPLAY_SCALE_AT_96"); }
}  // namespace

class DisplayScale : public CPanelTest, public ::testing::WithParamInterface<UINT> {
 protected:
  void SetUp() override {
    Open(GetParam());
    dpi = WindowDpi(panel);
  }
  UINT dpi = kDefaultDpi;
};

TEST_P(DisplayScale, DrawnElementsAreTheir96DpiRectanglesScaled) {
  const std::map<int, RECT> elements = DrawnElements(panel, dpi);
  ASSERT_FALSE(elements.empty());
  const char* file = BaselineFile();
  if (file == nullptr) GTEST_SKIP() << "SFP_DISPLAY_SCALE_AT_96 names no file";
  if (dpi == kDefaultDpi) {
    std::ofstream out(file, std::ios::app);
    for (const auto& [id, r] : elements)
      out << Key(GetParam(), id) << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' '
          << r.bottom << '\n';
    return;
  }
  std::map<std::string, RECT> at96;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    std::istringstream fields(line);
    UINT command;
    int id;
    RECT r;
    fields >> command >> id >> r.left >> r.top >> r.right >> r.bottom;
    at96[Key(command, id)] = r;
  }
  for (const auto& [id, r] : elements) {
    auto base = at96.find(Key(GetParam(), id));
    ASSERT_NE(base, at96.end()) << "control " << id << " has no 96-DPI rectangle in " << file;
    const RECT expected = AtDpi(base->second, dpi);
    EXPECT_NEAR(r.left, expected.left, 1) << id;
    EXPECT_NEAR(r.top, expected.top, 1) << id;
    EXPECT_NEAR(r.right, expected.right, 1) << id;
    EXPECT_NEAR(r.bottom, expected.bottom, 1) << id;
    at96.erase(base);
  }
  for (const auto& [key, r] : at96)
    EXPECT_NE(key.rfind(std::to_string(GetParam()) + " ", 0), 0u) << key << " is missing";
}

TEST_P(DisplayScale, EveryTextFitsItsSpace) {
  const CSystemFontAt systemFont(dpi);
  for (const CDrawnText& caption : DrawnTexts(panel, dpi))
    EXPECT_LE(TextWidth(systemFont.Font(), caption.text), caption.space) << caption.text;
  // The template's labels, edit boxes and buttons, in the dialog's font.
  HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageA(panel, WM_GETFONT, 0, 0));
  for (HWND child : ChildrenOf(panel)) {
    if (CWnd::FromHandle(child) != nullptr) continue;
    const RECT r = InPanel(panel, child);
    EXPECT_LE(TextWidth(dialogFont, TextOf(child)), r.right - r.left) << TextOf(child);
  }
}

TEST_P(DisplayScale, EveryControlLiesInsideItsPanel) {
  RECT client;
  ::GetClientRect(panel, &client);
  for (HWND child : ChildrenOf(panel)) {
    const RECT r = InPanel(panel, child);
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
        << ::GetDlgCtrlID(child) << " at " << r.left << "," << r.top << "-" << r.right << ","
        << r.bottom << " in " << client.right << "x" << client.bottom;
  }
}

INSTANTIATE_TEST_SUITE_P(Panels, DisplayScale, ::testing::ValuesIn(kPanelCommands));

using DisplayScaleMain = CPanelTestOf<ID_PANELS_MAIN>;

// The 96-DPI layout is found from the dialog font measured at 96 DPI; this is
// the rule by which the dialog manager measured it at this scale.
TEST_F(DisplayScaleMain, FontBaseUnitsAreTheDialogManagers) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageA(panel, WM_GETFONT, 0, 0));
  RECT units = {0, 0, 4, 8};
  ::MapDialogRect(panel, &units);
  const SIZE base = FontBaseUnits(font);
  EXPECT_EQ(base.cx, units.right);
  EXPECT_EQ(base.cy, units.bottom);
}

// Wine cannot move a window to a screen of another scale; the message that
// Windows sends then is sent here by hand.
TEST_F(DisplayScaleMain, AMoveToAnotherScaleTakesTheSuggestedPlaceAndScalesThePanel) {
  const UINT dpi = WindowDpi(panel);
  const std::map<int, RECT> before = DrawnElements(panel, dpi);
  const UINT larger = dpi + dpi / 4;
  RECT suggested = {10, 20, 600, 650};
  ::SendMessageA(app.Main(), WM_DPICHANGED, MAKEWPARAM(larger, larger),
                 reinterpret_cast<LPARAM>(&suggested));
  RECT main;
  ::GetWindowRect(app.Main(), &main);
  EXPECT_EQ(main.left, 10);
  EXPECT_EQ(main.top, 20);
  RECT panelRect;
  ::GetWindowRect(panel, &panelRect);
  EXPECT_EQ(main.right - main.left, panelRect.right - panelRect.left);
  const RECT header = InPanel(panel, ::GetDlgItem(panel, IDC_MAIN_HEADER));
  const RECT header96 = before.at(IDC_MAIN_HEADER);
  EXPECT_NEAR(header.right, ::MulDiv(header96.right, larger, dpi), 1);
  EXPECT_NEAR(header.bottom, ::MulDiv(header96.bottom, larger, dpi), 1);

  ::SendMessageA(app.Main(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  const std::map<int, RECT> after = DrawnElements(panel, dpi);
  for (const auto& [id, r] : before) {
    EXPECT_EQ(after.at(id).left, r.left) << id;
    EXPECT_EQ(after.at(id).right, r.right) << id;
    EXPECT_EQ(after.at(id).bottom, r.bottom) << id;
  }
}

// Under Wine every window has the system's scale, so the stock font serves;
// on a monitor of another scale the font is made in proportion to it.
TEST(DisplayScaleFont, OnAScreenOfAnotherScaleTheSystemFontIsMadeInProportion) {
  LOGFONTA stock = {};
  ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof stock, &stock);
  const CSystemFontAt same(SystemDpi());
  EXPECT_EQ(same.Font(), ::GetStockObject(SYSTEM_FONT));
  const CSystemFontAt twice(2 * SystemDpi());
  LOGFONTA scaled = {};
  ASSERT_NE(twice.Font(), ::GetStockObject(SYSTEM_FONT));
  ::GetObjectA(twice.Font(), sizeof scaled, &scaled);
  EXPECT_EQ(scaled.lfHeight, 2 * stock.lfHeight);
  EXPECT_STREQ(scaled.lfFaceName, stock.lfFaceName);
}
