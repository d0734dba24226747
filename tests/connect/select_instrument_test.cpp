// The Select Instrument dialog as discovery shows it, operated with the keys
// and buttons an operator would use while the dialog runs its own loop.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/win32/wait_cursor.h"
#include "tests/connect/operator_view.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

namespace {

using Lines = std::vector<std::string>;

struct CDialogSeen {
  std::string caption;
  Lines entries;
  int selected = -1;
  bool focusOnList = false;
  bool hasSystemMenu = true;
  bool waitCursor = false;
  std::string okText, cancelText;
  Lines layoutFaults;  // where the dialog differs from its template
};

// Template 107 in dialog units, x, y, width and height: the dialog's client
// area and each control's place.
struct CPlace {
  int id;
  RECT units;
  bool heightFixed;  // a closed drop-down list takes its height from the font
};
const CPlace kPlaces[] = {{0, {0, 0, 186, 92}, true},
                          {IDC_RESOURCE_LIST, {24, 24, 140, 60}, false},
                          {IDOK, {28, 68, 50, 14}, true},
                          {IDCANCEL, {100, 68, 50, 14}, true}};

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
         "," + std::to_string(r.bottom);
}

Lines LayoutFaults(HWND dialog) {
  Lines faults;
  for (const CPlace& place : kPlaces) {
    RECT size = place.units;
    ::MapDialogRect(dialog, &size);
    RECT expected = {size.left, size.top, size.left + size.right, size.top + size.bottom};
    RECT actual;
    if (place.id == 0) {
      ::GetClientRect(dialog, &actual);
    } else {
      ::GetWindowRect(::GetDlgItem(dialog, place.id), &actual);
      ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&actual), 2);
    }
    if (!place.heightFixed) expected.bottom = actual.bottom;
    if (!::EqualRect(&expected, &actual))
      faults.push_back(std::to_string(place.id) + " at " + Describe(actual) + " instead of " +
                       Describe(expected));
  }
  HWND list = ::GetDlgItem(dialog, IDC_RESOURCE_LIST);
  LONG listStyle = ::GetWindowLongA(list, GWL_STYLE);
  if ((listStyle & 3) != CBS_DROPDOWNLIST || (listStyle & CBS_SORT) != 0)
    faults.push_back("list style " + std::to_string(listStyle));
  if ((::GetWindowLongA(::GetDlgItem(dialog, IDOK), GWL_STYLE) & 0x0F) != BS_DEFPUSHBUTTON)
    faults.push_back("OK is not the default button");
  return faults;
}

std::string EntryText(HWND list, int index) {
  LRESULT length = ::SendMessageA(list, CB_GETLBTEXTLEN, index, 0);
  if (length < 0) return "(none)";
  std::string text(static_cast<size_t>(length) + 1, '\0');
  ::SendMessageA(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

CDialogSeen Look(HWND dialog) {
  CDialogSeen seen;
  HWND list = ::GetDlgItem(dialog, IDC_RESOURCE_LIST);
  seen.caption = TextOf(dialog);
  for (int i = 0; i < ::SendMessageA(list, CB_GETCOUNT, 0, 0); ++i)
    seen.entries.push_back(EntryText(list, i));
  seen.selected = static_cast<int>(::SendMessageA(list, CB_GETCURSEL, 0, 0));
  seen.focusOnList = ::GetFocus() == list;
  seen.hasSystemMenu = (::GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU) != 0;
  seen.waitCursor = IsWaitCursorShown();
  seen.okText = TextOf(dialog, IDOK);
  seen.cancelText = TextOf(dialog, IDCANCEL);
  seen.layoutFaults = LayoutFaults(dialog);
  return seen;
}

// Keys reach the control with the focus through the dialog's own loop.
void PostKey(UINT vk) {
  HWND focus = ::GetFocus();
  ::PostMessageA(focus, WM_KEYDOWN, vk, 1);
  ::PostMessageA(focus, WM_KEYUP, vk, static_cast<LPARAM>(0xC0000001));
}

void PostClick(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

class SelectInstrument : public ::testing::Test {
 protected:
  // Starts the program; once the dialog is up and has the focus, `operate`
  // runs inside its modal loop.
  void Start(const std::string& config, const std::string& commandLine,
             std::function<void(HWND)> operate) {
    ASSERT_TRUE(mainframe.Configure(config.c_str()));
    s_pending = this;
    m_operate = std::move(operate);
    boxes.m_onOwnDialog = [](HWND dialog) {
      s_dialog = dialog;
      ::SetTimer(nullptr, 0, 10, &SelectInstrument::OperateDialog);
    };
    app.Start(nullptr, commandLine);
  }
  static void CALLBACK OperateDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    SelectInstrument* self = s_pending;
    self->dialogs.push_back(Look(s_dialog));
    self->m_operate(s_dialog);
  }
  // Non-live with no message, and nothing opened after the search of two.
  void ExpectCancelled() {
    EXPECT_TRUE(boxes.m_boxes.empty());
    COperatorView view = WhatTheOperatorSees(app);
    EXPECT_FALSE(view.live);
    EXPECT_EQ(view.lamp, kNonLiveLamp);
    EXPECT_EQ(view.address, "Addr Unknown");
    EXPECT_EQ(WaitCursorDepth(), 0);
    EXPECT_EQ(mainframe.Traffic(),
              (Lines{"open GPIB-VXI1::24::INSTR", "close GPIB-VXI1::24::INSTR",
                     "open GPIB-VXI0::24::INSTR", "close GPIB-VXI0::24::INSTR"}));
  }

  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  std::vector<CDialogSeen> dialogs;

 private:
  std::function<void(HWND)> m_operate;
  static inline SelectInstrument* s_pending = nullptr;
  static inline HWND s_dialog = nullptr;
};

const char kTwoOnGpibVxi[] =
    "resource GPIB-VXI1::24::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 4\n"
    "resource GPIB-VXI0::24::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 3\n";

TEST_F(SelectInstrument, AVxiModuleAndALanInstrumentAreBothOffered) {
  Start("resource VXI0::8::INSTR\nmanf 0x0FFF\nmodel 0x0244\nslot 2\n"
        "resource TCPIP0::10.0.0.5::inst0::INSTR\n",
        "", [](HWND) { PostKey(VK_RETURN); });
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].entries, (Lines{"VXI0::8::INSTR", "TCPIP0::10.0.0.5::inst0::INSTR"}));
  EXPECT_TRUE(WhatTheOperatorSees(app).live);
  EXPECT_EQ(DiscoveryRecord(), (CRecordSeen{"VXI0::8::INSTR", 2, 8, 2}));
}

TEST_F(SelectInstrument, TwoOnGpibVxiAreOfferedInVisaOrderAndEnterOpensTheFirst) {
  Start(kTwoOnGpibVxi, "", [](HWND) { PostKey(VK_RETURN); });
  ASSERT_EQ(dialogs.size(), 1u);
  const CDialogSeen& seen = dialogs[0];
  EXPECT_EQ(seen.caption, "Select Instrument");
  EXPECT_EQ(seen.entries, (Lines{"GPIB-VXI1::24::INSTR", "GPIB-VXI0::24::INSTR"}));
  EXPECT_EQ(seen.selected, 0);
  EXPECT_TRUE(seen.focusOnList);
  EXPECT_FALSE(seen.hasSystemMenu);
  EXPECT_TRUE(seen.waitCursor);
  EXPECT_EQ(seen.okText, "OK");
  EXPECT_EQ(seen.cancelText, "Cancel");
  EXPECT_EQ(seen.layoutFaults, Lines{});

  EXPECT_TRUE(boxes.m_boxes.empty());
  COperatorView view = WhatTheOperatorSees(app);
  EXPECT_TRUE(view.live);
  EXPECT_EQ(view.lamp, kLiveLamp);
  EXPECT_EQ(view.address, "Slot 4 GPIB-VXI1::24");
  EXPECT_EQ(DiscoveryRecord(), (CRecordSeen{"GPIB-VXI1::24::INSTR", 4, 24, 3}));
  EXPECT_EQ(WaitCursorDepth(), 0);
}

TEST_F(SelectInstrument, TheSecondEntryChosenWithOkIsOpenedExactly) {
  Start(kTwoOnGpibVxi, "", [](HWND dialog) {
    PostKey(VK_DOWN);
    PostClick(dialog, IDOK);
  });
  ASSERT_EQ(dialogs.size(), 1u);
  Lines traffic = mainframe.Traffic();
  // Search: open and close of each; then the chosen one's address and the driver.
  ASSERT_GE(traffic.size(), 7u);
  EXPECT_EQ(Lines(traffic.begin() + 4, traffic.begin() + 7),
            (Lines{"open GPIB-VXI0::24::INSTR", "close GPIB-VXI0::24::INSTR",
                   "open GPIB-VXI0::24::INSTR"}));
  EXPECT_TRUE(WhatTheOperatorSees(app).live);
  EXPECT_EQ(WhatTheOperatorSees(app).address, "Slot 3 GPIB-VXI0::24");
  EXPECT_EQ(DiscoveryRecord(), (CRecordSeen{"GPIB-VXI0::24::INSTR", 3, 24, 3}));
}

TEST_F(SelectInstrument, CancelRunsNonLiveWithoutAMessage) {
  Start(kTwoOnGpibVxi, "", [](HWND dialog) { PostClick(dialog, IDCANCEL); });
  ASSERT_EQ(dialogs.size(), 1u);
  ExpectCancelled();
}

TEST_F(SelectInstrument, EscapeIsCancel) {
  Start(kTwoOnGpibVxi, "", [](HWND) { PostKey(VK_ESCAPE); });
  ASSERT_EQ(dialogs.size(), 1u);
  ExpectCancelled();
}

TEST_F(SelectInstrument, ChoosingAnyOffersEvenASingleSerialResource) {
  Start("resource ASRL1::INSTR\nscpi none\n", "-n", [](HWND) { PostKey(VK_ESCAPE); });
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].entries, Lines{"ASRL1::INSTR"});
  EXPECT_EQ(mainframe.Traffic(), (Lines{"open ASRL1::INSTR", "close ASRL1::INSTR"}));
  EXPECT_FALSE(WhatTheOperatorSees(app).live);
}

TEST_F(SelectInstrument, ChoosingAnyAsksEvenForTheOneIdentifiedInstrument) {
  Start(kSimulatedQ3207, "-N", [](HWND) { PostKey(VK_RETURN); });
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].entries, Lines{"GPIB-VXI0::24::INSTR"});
  EXPECT_TRUE(WhatTheOperatorSees(app).live);
}

TEST_F(SelectInstrument, TwentyFiveIdentifiedAreAllOffered) {
  std::string config;
  Lines expected;
  for (int la = 1; la <= 25; ++la) {
    std::string name = "VXI0::" + std::to_string(la) + "::INSTR";
    config += "resource " + name + "\nmanf 0x0FFF\nmodel 0x0244\n";
    expected.push_back(name);
  }
  Start(config, "", [](HWND dialog) {
    ::SendDlgItemMessageA(dialog, IDC_RESOURCE_LIST, CB_SETCURSEL, 24, 0);
    PostClick(dialog, IDOK);
  });
  ASSERT_EQ(dialogs.size(), 1u);
  EXPECT_EQ(dialogs[0].entries, expected);
  EXPECT_EQ(DiscoveryRecord().rsrcName, "VXI0::25::INSTR");
}

}  // namespace
