// A fixture for end-to-end tests of one setting panel: the program live
// through discovery, the driver DLL and the simulated VISA, with the panel
// chosen from the Panels menu.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

class CLivePanelTest : public ::testing::Test {
 protected:
  // Starts the program live, shows the panel and forgets the traffic so far.
  void Open(UINT panelCommand);

  std::string Text(int id) const { return TextOf(panel, id); }
  // The messages written to the instrument since the last take, in order.
  std::vector<std::string> TakeWrites();

  // Declared before the program, so that the program stops first.
  CSimulatedMainframe mainframe;
  CBoxWatcher boxes;
  CAppFixture app;
  HWND panel = nullptr;
};

// The traffic of a change that the instrument takes and of its read-back,
// each message followed by the driver's look at the status byte.
std::vector<std::string> SetAndReadBack(const std::string& set, const std::string& query,
                                        const std::string& reply);

// The fixture with the panel of menu command `kPanelCommand` shown before each
// test.
template <UINT kPanelCommand>
class CLivePanelTestOf : public CLivePanelTest {
 protected:
  void SetUp() override { Open(kPanelCommand); }
};
