// The program live on the simulated mainframe's Q3207 through its real
// discovery, the driver DLL and the simulated VISA, with the Main panel shown
// and the start-up traffic forgotten.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/app_fixture.h"
#include "tests/support/box_watcher.h"
#include "tests/support/simulated_mainframe.h"

using Lines = std::vector<std::string>;

// Traffic lines of the built-in resource.
std::string Write(const std::string& text);
std::string Read(const std::string& text);
std::string TimeOut(const std::string& text);
std::string StatusByte(int value);
std::string Event(const char* event);  // "clear GPIB-VXI0::24::INSTR"

// The built-in mainframe's configuration with more keys for its Q3207.
std::string BuiltInMainframeWith(const std::string& extraConfig);

class CLiveRoad : public ::testing::Test {
 protected:
  // The built-in mainframe, its Q3207 with the resource keys `extraConfig`
  // ("timeout-on FREQ\n"), and the program started with `commandLine`.
  explicit CLiveRoad(const std::string& extraConfig = "",
                     const std::string& commandLine = "-a GPIB-VXI0::24::INSTR");

  void SetUp() override;
  std::string Text(int id) const { return TextOf(panel, id); }

  CSimulatedMainframe mainframe;  // before the program, which stops first
  CBoxWatcher boxes;
  CAppFixture app;
  HWND panel = nullptr;
  Lines startTraffic;  // what start-up sent

 private:
  std::string m_commandLine;
};
