#include "panels/main_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sfp_app.h"
#include "controls/plate_drawing.h"
#include "controls/text_panel.h"
#include "framework/win32/tooltip.h"
#include "panels/panel.h"
#include "panels/panel_dialog.h"
#include "res/resource.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using MainPanel = CPanelTestOf<ID_PANELS_MAIN>;

TEST_F(MainPanel, ABackgroundClickDiscardsTypedTextAndTakesTheFocus) {
  FocusOn(panel, IDC_MAIN_AMPL);
  TypeInto(panel, IDC_MAIN_AMPL, "3");
  ClickBackground(panel, {2, 2});
  EXPECT_EQ(Text(IDC_MAIN_AMPL), "100 mVpp");
  EXPECT_EQ(FocusedId(), IDC_MAIN_FRAME);
  EXPECT_EQ(instrument->Take(), (Calls{"GetAmpl(0)", "GetAmpl(0)"}));
}

TEST_F(MainPanel, EnterWithTheFocusOutsideTheFieldsDoesNothing) {
  FocusOn(panel, IDC_MAIN_FUNC);
  ::SendMessageA(panel, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  EXPECT_TRUE(instrument->Take().empty());
}

TEST_F(MainPanel, ResetShowsTheDefaultsAtOnce) {
  EnterValue(panel, IDC_MAIN_FREQ, "5k");
  app.Command(ID_SYSTEM_RESET);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
}

TEST_F(MainPanel, NonLiveAddressHasNoSlot) {
  EXPECT_EQ(PlateText(IDC_MAIN_ADDRESS), "Addr Unknown");
  HWND address = ::GetDlgItem(panel, IDC_MAIN_ADDRESS);
  EXPECT_EQ(TooltipText(address), "");  // made when the mouse first comes
  ::SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(TooltipText(address), "Addr Unknown");
}

std::vector<COLORREF> Pixels(HWND control) {
  RECT client;
  ::GetClientRect(control, &client);
  std::vector<COLORREF> pixels;
  HDC dc = ::GetDC(control);
  for (int y = 0; y < client.bottom; ++y)
    for (int x = 0; x < client.right; ++x) pixels.push_back(::GetPixel(dc, x, y));
  ::ReleaseDC(control, dc);
  return pixels;
}

// A name that fits is drawn as it always was; a long one is drawn shortened.
TEST_F(MainPanel, AddressPlateShortensOnlyANameThatDoesNotFit) {
  auto& plate = Control<CTextPanel>(IDC_MAIN_ADDRESS);
  HWND hwnd = ::GetDlgItem(panel, IDC_MAIN_ADDRESS);
  for (const char* name : {"Slot 3 GPIB-VXI0::24", "TCPIP0::192.168.100.120::5025::SOCKET"}) {
    plate.m_fitResourceName = false;
    plate.SetText(name);
    const std::vector<COLORREF> cut = Pixels(hwnd);
    plate.m_fitResourceName = true;
    plate.SetText(name);
    EXPECT_EQ(Pixels(hwnd) == cut, name[0] == 'S') << name;
  }
}

TEST(FittedResourceName, KeepsTheLastPartsWhole) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  auto font = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
  ::SelectObject(dc, font);
  auto width = [dc](const std::string& text) {
    SIZE extent = {};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    return static_cast<int>(extent.cx);
  };
  const std::string name = "TCPIP0::192.168.100.120::5025::SOCKET";
  EXPECT_EQ(FittedResourceName(dc, font, name, width(name)), name);
  EXPECT_EQ(FittedResourceName(dc, font, name, width(name) - 1), "TCPIP0::...::5025::SOCKET");
  EXPECT_EQ(FittedResourceName(dc, font, name, width("TCPIP0::...::5025::SOCKET") - 1),
            "TCPIP0::...::SOCKET");
  EXPECT_EQ(FittedResourceName(dc, font, name, width("TCPIP0::...::SOCKET") - 1), "...::SOCKET");
  EXPECT_EQ(FittedResourceName(dc, font, name, width("...::SOCKET") - 1), "...:SOCKET");
  ::DeleteDC(dc);
}

TEST(AddressLine, CutsBeforeTheInstrSuffixPastTheFifthCharacter) {
  EXPECT_EQ(AddressLine(3, "GPIB-VXI0::24::INSTR"), "Slot 3 GPIB-VXI0::24");
  EXPECT_EQ(AddressLine(-1, "VXI0::24::INSTR"), "VXI0::24");
  EXPECT_EQ(AddressLine(0, "A::INSTR"), "Slot 0 A::INSTR");       // at position 1: kept
  EXPECT_EQ(AddressLine(12, "ABCD::INSTR"), "Slot 12 ABCD::INSTR");  // at 4: kept
  EXPECT_EQ(AddressLine(12, "ABCDE::INSTR"), "Slot 12 ABCDE");
  EXPECT_EQ(AddressLine(70000, "X"), "Slot 4464 X");  // the slot is a 16-bit number
}

}  // namespace
