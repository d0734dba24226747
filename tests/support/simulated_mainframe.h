// The simulated VISA library seen from a test in the same process: the
// mainframe it simulates, the traffic it records and the state of its
// instruments. The program's discovery and the driver DLL load the same
// VISA32.DLL module by name, so whatever a test configures here is what the
// program finds.
//
// The harness holds its own reference to the module for its whole life:
// discovery frees its reference when it is done, and the simulated mainframe
// (its configuration, traffic and instrument states) lives as long as the
// module stays loaded.
//
//   CSimulatedMainframe mainframe;           // the built-in mainframe
//   CAppFixture app;
//   ASSERT_TRUE(StartLive(app));            // -a GPIB-VXI0::24::INSTR
//   mainframe.ClearTraffic();
//   ... operate the panel ...
//   EXPECT_EQ(mainframe.Traffic(), (Lines{"write GPIB-VXI0::24::INSTR FREQ 2500000", ...}));
//   EXPECT_EQ(mainframe.State().at("freq"), "2500000");
//
// Declare the mainframe before the CAppFixture, so that the program is
// stopped (and its driver session closed) while the simulation still runs.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

class CAppFixture;

// The resource of the built-in mainframe: the Q3207 in slot 3, logical address 24.
extern const char* const kSimulatedResource;
// The configuration of that Q3207 alone, for tests that add lines of their
// own (a fault, an option, another resource).
extern const char* const kSimulatedQ3207;
// One line of that resource's traffic: "write GPIB-VXI0::24::INSTR FREQ 1000".
std::string TrafficLine(const char* event, const std::string& text);

class CSimulatedMainframe {
 public:
  // Loads VISA32.DLL from the search path and configures it with `config`
  // (see Configure). A module that cannot be loaded or lacks the control
  // functions fails the test.
  explicit CSimulatedMainframe(const char* config = nullptr);
  // Puts the built-in mainframe back, so that no configuration of this test
  // reaches the next one, and releases the module.
  ~CSimulatedMainframe();
  CSimulatedMainframe(const CSimulatedMainframe&) = delete;
  CSimulatedMainframe& operator=(const CSimulatedMainframe&) = delete;

  // Replaces the mainframe with the configuration text (one `key value` a
  // line, as for TGQ_SIM_CONFIG; null: the built-in mainframe). Every open
  // VISA session becomes invalid and the traffic is cleared. A bad line fails
  // the test, names the line and changes nothing; returns false then.
  bool Configure(const char* config);

  // The traffic recorded since the last Configure or ClearTraffic, one event a
  // line ("write GPIB-VXI0::24::INSTR FREQ 2500000").
  std::vector<std::string> Traffic() const;
  void ClearTraffic();
  // The traffic, then clears it.
  std::vector<std::string> TakeTraffic();

  // The whole state of the Q3207 in `rsrc` (key -> value, "freq" -> "1000");
  // an unknown resource or one without a Q3207 fails the test and gives an
  // empty map.
  std::map<std::string, std::string> State(const std::string& rsrc = kSimulatedResource) const;
  // One entry of State; fails the test when the key is missing.
  std::string StateOf(const std::string& key, const std::string& rsrc = kSimulatedResource) const;

  // Pushes an entry into the instrument's error queue; fails the test when
  // `rsrc` holds no Q3207.
  void QueueError(int code, const std::string& message,
                  const std::string& rsrc = kSimulatedResource);

  bool IsLoaded() const;

 private:
  HMODULE m_module = nullptr;
  int (*m_configure)(const char*) = nullptr;
  int (*m_traffic)(char*, int) = nullptr;
  void (*m_clearTraffic)() = nullptr;
  int (*m_state)(const char*, char*, int) = nullptr;
  int (*m_queueError)(const char*, int, const char*) = nullptr;
};

// Starts the program through its real discovery with `commandLine` and tells
// whether it came up live (on the driver DLL and the simulated VISA). Message
// boxes that start-up shows stay open unless the test watches them.
bool StartLive(CAppFixture& app, const std::string& commandLine = "-a GPIB-VXI0::24::INSTR");
