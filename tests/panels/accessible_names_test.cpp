// What assistive tools hear for each control that Tab reaches, asked through
// the system's accessibility layer as a screen reader would.
#include <windows.h>
#include <oleacc.h>

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <string>

#include "controls/toggle_button.h"
#include "res/resource.h"
#include "tests/support/panel_test.h"

namespace {

// {618736E0-3C3D-11CF-810C-00AA00389B71}: MinGW's oleacc import library would
// bind IID_IAccessible to a stub.
const IID kIidAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct CHeard {
  std::string m_name;
  long m_role = 0;
  bool m_pressed = false;
};

CHeard Hear(HWND control) {
  CHeard heard;
  IAccessible* object = nullptr;
  if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), kIidAccessible,
                                          reinterpret_cast<void**>(&object))))
    return heard;
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (SUCCEEDED(object->get_accName(self, &name)) && name != nullptr) {
    char text[256] = {};
    ::WideCharToMultiByte(CP_ACP, 0, name, -1, text, sizeof text, nullptr, nullptr);
    heard.m_name = text;
    ::SysFreeString(name);
  }
  VARIANT value;
  if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) heard.m_role = value.lVal;
  if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4)
    heard.m_pressed = (value.lVal & STATE_SYSTEM_PRESSED) != 0;
  object->Release();
  return heard;
}

// Combo boxes are named by the item they show under Wine (by their label on
// Windows), so they are checked only for a name.
const char kShownItem[] = "";

const std::map<UINT, std::map<int, std::string>> kNames = {
    {ID_PANELS_MAIN,
     {{IDC_MAIN_FUNC, kShownItem}, {IDC_MAIN_USER, "User Name"}, {IDC_MAIN_FREQ, "Frequency"},
      {IDC_MAIN_AMPL, "Amplitude"}, {IDC_MAIN_OFFSET, "Offset"}, {IDC_MAIN_DUTY, "Duty Cycle"},
      {IDC_MAIN_LOAD, "Load, 50 Ohms"}}},
    {ID_PANELS_STATUS,
     {{IDC_STAT_READ_ERROR, "Read Error Queue"}, {IDC_STAT_PHASE_LOCK, "Phase Lock, *"},
      {IDC_STAT_STATUS_BYTE, "Status Byte, *"}, {IDC_STAT_CLEAR, "Clear Status"},
      {IDC_STAT_OPC, "OPC?"}}},
    {ID_PANELS_AM,
     {{IDC_AM_SOURCE, kShownItem}, {IDC_AM_FUNC, kShownItem}, {IDC_AM_USER, "User Name"},
      {IDC_AM_DEPTH, "Depth"}, {IDC_AM_FREQ, "Frequency"}, {IDC_AM_STATE, "State, Off"}}},
    {ID_PANELS_BM,
     {{IDC_BM_MODE, kShownItem}, {IDC_BM_COUNT, "Count"}, {IDC_BM_PHASE, "Phase"},
      {IDC_BM_RATE, "Rate"}, {IDC_BM_TRIG_SOURCE, kShownItem},
      {IDC_BM_SLOPE, "Trigger Slope, Normal"}, {IDC_BM_STATE, "Burst State, Off"},
      {IDC_BM_BUS_TRIGGER, "Send BUS Trigger"}}},
    {ID_PANELS_FM,
     {{IDC_FM_FUNC, kShownItem}, {IDC_FM_USER, "User Name"}, {IDC_FM_DEV, "Deviation"},
      {IDC_FM_FREQ, "Frequency"}, {IDC_FM_STATE, "State, Off"}}},
    {ID_PANELS_SWEEP,
     {{IDC_SWEEP_START, "Start Frequency"}, {IDC_SWEEP_STOP, "Stop Frequency"},
      {IDC_SWEEP_TIME, "Sweep Time"}, {IDC_SWEEP_SPACING, kShownItem},
      {IDC_SWEEP_TRIG_SOURCE, kShownItem}, {IDC_SWEEP_SLOPE, "Trigger Slope, Normal"},
      {IDC_SWEEP_STATE, "State, Off"}, {IDC_SWEEP_BUS_TRIGGER, "Send BUS Trigger"}}},
    {ID_PANELS_FSK,
     {{IDC_FSK_FREQ, "Hop Frequency"}, {IDC_FSK_RATE, "Hop Rate"}, {IDC_FSK_SOURCE, kShownItem},
      {IDC_FSK_TRIG_SOURCE, kShownItem}, {IDC_FSK_STATE, "State, Off"}}},
};

class AccessibleNames : public CPanelTest {
 protected:
  void SetUp() override { ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  void TearDown() override { ::CoUninitialize(); }
};

TEST_F(AccessibleNames, EveryTabStopOfEveryPanelIsNamed) {
  for (const auto& [command, names] : kNames) {
    Open(command);
    std::map<int, std::string> heardNames;
    for (HWND child = ::GetWindow(panel, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
      if ((::GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP) == 0) continue;
      const int id = ::GetDlgCtrlID(child);
      const CHeard heard = Hear(child);
      std::cout << "  " << id << " \"" << heard.m_name << "\" role " << heard.m_role
                << (heard.m_pressed ? " pressed" : "") << "\n";
      EXPECT_FALSE(heard.m_name.empty()) << "control " << id;
      auto expected = names.find(id);
      heardNames[id] = expected != names.end() && expected->second == kShownItem
                           ? kShownItem : heard.m_name;
      if (expected != names.end() && expected->second == kShownItem) {
        EXPECT_EQ(heard.m_name, Shown(id)) << "control " << id;
      }
    }
    EXPECT_EQ(heardNames, names) << "panel " << command;
  }
}

TEST_F(AccessibleNames, TogglesAndTheLampSayTheirState) {
  Open(ID_PANELS_MAIN);
  HWND load = ::GetDlgItem(panel, IDC_MAIN_LOAD);
  EXPECT_EQ(TextOf(load), "load");  // the template's text, under the caption
  EXPECT_EQ(Hear(load).m_role, ROLE_SYSTEM_PUSHBUTTON);
  EXPECT_TRUE(Hear(load).m_pressed);
  Toggle(IDC_MAIN_LOAD).SetState(0);
  const CHeard infinite = Hear(load);
  EXPECT_EQ(infinite.m_name, "Load, " + ToggleCaption(IDC_MAIN_LOAD));
  EXPECT_FALSE(infinite.m_pressed);
  const CHeard lamp = Hear(::GetDlgItem(panel, IDC_MAIN_LAMP));
  EXPECT_EQ(lamp.m_name, "Not connected");
  EXPECT_EQ(lamp.m_role, ROLE_SYSTEM_INDICATOR);
}

}  // namespace
