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
#include "tests/support/box_watcher.h"
#include "tests/support/panel_driver.h"
#include "tests/support/panel_test.h"

namespace {

using MainPanel = CPanelTestOf<ID_PANELS_MAIN>;

TEST_F(MainPanel, ShowsTheRememberedSettings) {
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
  EXPECT_EQ(Text(IDC_MAIN_AMPL), "100 mVpp");
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "0 V");
  EXPECT_EQ(Text(IDC_MAIN_DUTY), "50 %");
  EXPECT_EQ(Text(IDC_MAIN_USER), "SINC");
  EXPECT_EQ(Text(IDC_MAIN_LOAD), "load");
  EXPECT_EQ(SelectedItem(panel, IDC_MAIN_FUNC), 0);
  EXPECT_EQ(Items(IDC_MAIN_FUNC),
            (Calls{"Sinusoid", "Square", "Triangle", "Ramp", "Noise", "User", "DC"}));
}

TEST_F(MainPanel, FrequencyIsClampedWithTheMaximumTestedFirst) {
  EnterValue(panel, IDC_MAIN_FREQ, "20M");
  EXPECT_EQ(instrument->Take().front(), "SetFreq(15000000)");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "15 MHz");
  EnterValue(panel, IDC_MAIN_FREQ, "0");
  EXPECT_EQ(instrument->Take().front(), "SetFreq(0.0001)");
  EnterValue(panel, IDC_MAIN_FREQ, "garbage");
  EXPECT_EQ(instrument->Take().front(), "SetFreq(0.0001)");
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "100 uHz");
}

TEST_F(MainPanel, AmplitudeLimitsFollowTheLoad) {
  EnterValue(panel, IDC_MAIN_AMPL, "15");
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmpl(10)", "GetAmpl(1)"}));
  EnterValue(panel, IDC_MAIN_AMPL, "0.01");
  EXPECT_EQ(instrument->Take().front(), "SetAmpl(0.05)");
  ClickButton(panel, IDC_MAIN_LOAD);  // to infinity
  instrument->Take();
  EnterValue(panel, IDC_MAIN_AMPL, "15");
  EXPECT_EQ(instrument->Take().front(), "SetAmpl(15)");
  EnterValue(panel, IDC_MAIN_AMPL, "25");
  EXPECT_EQ(instrument->Take().front(), "SetAmpl(20)");
  EnterValue(panel, IDC_MAIN_AMPL, "0.01");
  EXPECT_EQ(instrument->Take().front(), "SetAmpl(0.1)");
}

TEST_F(MainPanel, OffsetAndDutyCycleClampAtBothEnds) {
  EnterValue(panel, IDC_MAIN_OFFSET, "-7");
  EXPECT_EQ(TakeSets(), Calls{"SetOffset(-5)"});
  EnterValue(panel, IDC_MAIN_OFFSET, "7");
  EXPECT_EQ(TakeSets(), Calls{"SetOffset(5)"});
  EnterValue(panel, IDC_MAIN_DUTY, "10");
  EXPECT_EQ(TakeSets(), Calls{"SetDutyCycle(20)"});
  EnterValue(panel, IDC_MAIN_DUTY, "95");
  EXPECT_EQ(TakeSets(), Calls{"SetDutyCycle(80)"});
  EnterValue(panel, IDC_MAIN_DUTY, "x");
  EXPECT_EQ(TakeSets(), Calls{"SetDutyCycle(20)"});
}

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

TEST_F(MainPanel, ArrowsStepWithoutTrafficAndSendOnRelease) {
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2 kHz");
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "3 kHz");
  EXPECT_TRUE(instrument->Take().empty());
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetFreq(3000)", "GetFreq(1)", "GetDutyCycle(1)"}));
  SpinAndRelease(panel, IDC_MAIN_AMPL_SPIN, true);
  EXPECT_EQ(instrument->Take(), (Calls{"SetAmpl(0.2)", "GetAmpl(1)", "GetOffset(1)"}));
}

TEST_F(MainPanel, UpperArrowStopsAtTheMaximumOnly) {
  EnterValue(panel, IDC_MAIN_FREQ, "14M");
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "15 MHz");
  TypeInto(panel, IDC_MAIN_FREQ, "0");
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "0 Hz");  // zero stays zero; no clamp at the minimum
  Spin(panel, IDC_MAIN_FREQ_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "100 uHz");
}

TEST_F(MainPanel, DutyCycleStepsByOneAndStopsAtItsLimits) {
  Spin(panel, IDC_MAIN_DUTY_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_DUTY), "51 %");
  Spin(panel, IDC_MAIN_DUTY_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_DUTY), "52 %");
  TypeInto(panel, IDC_MAIN_DUTY, "80");
  Spin(panel, IDC_MAIN_DUTY_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_DUTY), "80 %");
  TypeInto(panel, IDC_MAIN_DUTY, "20");
  Spin(panel, IDC_MAIN_DUTY_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_DUTY), "20 %");
}

TEST_F(MainPanel, OffsetArrowsCrossZeroThroughTheBand) {
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "1 mV");
  TypeInto(panel, IDC_MAIN_OFFSET, "0");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-1 mV");
  TypeInto(panel, IDC_MAIN_OFFSET, "4");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "5 V");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "5 V");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take().front(), "SetOffset(5)");
}

TEST_F(MainPanel, NegativeOffsetsGrowUpwardsAndShrinkDownwards) {
  TypeInto(panel, IDC_MAIN_OFFSET, "-2");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-1 V");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-900 mV");
  TypeInto(panel, IDC_MAIN_OFFSET, "-2");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-3 V");
  TypeInto(panel, IDC_MAIN_OFFSET, "-4.5");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-5 V");  // clamped at the 50-ohm minimum
  TypeInto(panel, IDC_MAIN_OFFSET, "-0.001");
  Spin(panel, IDC_MAIN_OFFSET_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_OFFSET), "-900 uV");
}

TEST_F(MainPanel, NameArrowsWalkTheListAndSendOnRelease) {
  Spin(panel, IDC_MAIN_USER_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_USER), "NEG_RAMP");
  EXPECT_TRUE(instrument->Take().empty());
  Spin(panel, IDC_MAIN_USER_SPIN, SB_ENDSCROLL);
  EXPECT_EQ(instrument->Take(), (Calls{"SetUserFunc(NEG_RAMP)", "GetUserFunc(1)"}));
  TypeInto(panel, IDC_MAIN_USER, "SINC");
  Spin(panel, IDC_MAIN_USER_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_USER), "CARDIAC");
  Spin(panel, IDC_MAIN_USER_SPIN, SB_LINEDOWN);
  EXPECT_EQ(Text(IDC_MAIN_USER), "SINC");
  TypeInto(panel, IDC_MAIN_USER, "xEXP_RISEx");
  Spin(panel, IDC_MAIN_USER_SPIN, SB_LINEUP);
  EXPECT_EQ(Text(IDC_MAIN_USER), "NEG_RAMP");
  ::SetWindowTextA(::GetDlgItem(panel, IDC_MAIN_USER), "");
  EXPECT_EQ(::SendDlgItemMessageA(panel, IDC_MAIN_USER, EM_GETLIMITTEXT, 0, 0), 12);
}

TEST_F(MainPanel, NameFieldSendsOnEnter) {
  EnterValue(panel, IDC_MAIN_USER, "EXP_FALL");
  EXPECT_EQ(instrument->Take(), (Calls{"SetUserFunc(EXP_FALL)", "GetUserFunc(1)"}));
  EXPECT_EQ(Text(IDC_MAIN_USER), "EXP_FALL");
  // The typing limit does not cut a longer name that the instrument reported.
  instrument->SetUserFunc("ARB_WAVEFORM_20CHARS");
  FocusOn(panel, IDC_MAIN_FREQ);
  {
    CAltKeyHeld alt;
    FocusOn(panel, IDC_MAIN_USER);
  }
  instrument->Take();
  PressKey(VK_RETURN);
  EXPECT_EQ(instrument->Take(), (Calls{"SetUserFunc(ARB_WAVEFORM_20CHARS)", "GetUserFunc(1)"}));
}

TEST_F(MainPanel, AFailedReadBackShowsWhatIsRemembered) {
  CBoxWatcher boxes;
  instrument->Fail("GetFreq", static_cast<int32_t>(0xBFFF0015));
  EnterValue(panel, IDC_MAIN_FREQ, "2k");
  EXPECT_EQ(boxes.Texts(), Calls{"Time Out !"});
  EXPECT_EQ(instrument->Take(),
            (Calls{"SetFreq(2000)", "GetFreq(1)", "DeviceClear()", "GetFreq(0)"}));
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "2 kHz");
}

TEST_F(MainPanel, ResetShowsTheDefaultsAtOnce) {
  EnterValue(panel, IDC_MAIN_FREQ, "5k");
  app.Command(ID_SYSTEM_RESET);
  EXPECT_EQ(Text(IDC_MAIN_FREQ), "1 kHz");
}

TEST_F(MainPanel, NonLiveAddressHasNoSlot) {
  EXPECT_EQ(PlateText(IDC_MAIN_ADDRESS), "Addr Unknown");
  EXPECT_EQ(TooltipText(::GetDlgItem(panel, IDC_MAIN_ADDRESS)), "Addr Unknown");
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
