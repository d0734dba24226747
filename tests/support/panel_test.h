// A fixture for window tests of one setting panel: the program started on the
// recording instrument, the panel chosen from the Panels menu, and readers of
// what its controls show.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_fixture.h"
#include "tests/support/recording_instrument.h"

class CToggleButton;

using Calls = std::vector<std::string>;

class CPanelTest : public ::testing::Test {
 protected:
  // Starts the program and shows the panel of menu command `panelCommand`;
  // `prepare` may change the remembered state before the panel shows it.
  void Open(UINT panelCommand, void (*prepare)(CRecordingInstrument&) = nullptr);

  std::string Text(int id) const { return TextOf(panel, id); }
  // The calls since the last Take that change a setting ("Set...").
  Calls TakeSets();
  CToggleButton& Toggle(int id) const;
  // The caption a toggle shows for its current state.
  std::string ToggleCaption(int id) const;
  std::string PlateText(int id) const;
  Calls Items(int comboId) const;

  CAppFixture app;
  CRecordingInstrument* instrument = nullptr;
  HWND panel = nullptr;
};

