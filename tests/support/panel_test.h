// A fixture for window tests of one setting panel: the program started on the
// recording instrument, the panel chosen from the Panels menu, and readers of
// what its controls show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win32/wnd.h"
#include "tests/support/app_fixture.h"
#include "tests/support/recording_instrument.h"

class CToggleButton;

using Calls = std::vector<std::string>;

// What control `id` of `dialog` shows: a combo box its chosen item ("" for
// none), a toggle its caption, a plate or a text button its caption, a field
// its text.
std::string ShownIn(HWND dialog, int id);

class CPanelTest : public ::testing::Test {
 protected:
  // Starts the program on `recording` (owned by the program; null: a new
  // recording instrument) and shows the panel of menu command `panelCommand`.
  void Open(UINT panelCommand, CRecordingInstrument* recording = nullptr);

  std::string Text(int id) const { return TextOf(panel, id); }
  // The calls since the last Take that change a setting ("Set...").
  Calls TakeSets();
  // The program's object behind control `id`.
  template <class T>
  T& Control(int id) const {
    return *static_cast<T*>(CWnd::FromHandle(::GetDlgItem(panel, id)));
  }
  CToggleButton& Toggle(int id) const;
  // The caption a toggle shows for its current state.
  std::string ToggleCaption(int id) const;
  std::string PlateText(int id) const;
  Calls Items(int comboId) const;
  std::string Shown(int id) const { return ShownIn(panel, id); }
  // Shows the panel again from the remembered state, as after Reset or Sync.
  void Redisplay() const;

  CAppFixture app;
  CRecordingInstrument* instrument = nullptr;
  HWND panel = nullptr;
};

// The fixture with the panel of menu command `kPanelCommand` shown before each
// test.
template <UINT kPanelCommand>
class CPanelTestOf : public CPanelTest {
 protected:
  void SetUp() override { Open(kPanelCommand); }
};
