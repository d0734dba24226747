// The simulated mainframe: which resources exist, what each one is, and the
// faults to stage. Read from a small line-based text (see visa-sim/README.md).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "visa-sim/model/q3207_instrument.h"

namespace tgqsim {

// What answers behind a resource.
enum class DeviceKind { kQ3207, kIdentifyOnly, kSilent };

// A fault tied to the messages that carry a given header ("FREQ?").
struct HeaderFault {
  std::string header;  // upper case, no leading ':'
  int amount = 0;      // reply length for long replies, error count for floods
};

// When the link to a resource goes and comes back, and whether its module is
// switched off and on meanwhile. By I/O count (writes and reads counted
// together from power-on), by time, or with a message.
struct LinkScript {
  std::optional<int> lostAtIo;         // the Nth I/O finds the link gone
  std::optional<int> lostAtMs;         // ms after power-on
  std::vector<std::string> lostOn;     // a message with such a header is lost with the link
  std::optional<int> backAfterIos;     // the Nth I/O after the loss finds it back
  std::optional<int> backAfterMs;      // ms after the loss
  bool powerCycle = false;             // back at its power-on settings
  bool lostAgain = false;              // lost with each such message, not only the first
  bool Scripted() const { return lostAtIo || lostAtMs || !lostOn.empty(); }
};

struct ResourceConfig {
  std::string name;
  uint16_t intfType = 0;
  uint16_t manfId = 0;
  uint16_t modelCode = 0;
  int16_t slot = -1;
  int16_t logicalAddress = -1;
  uint16_t gpibPrimary = 0;
  uint16_t gpibSecondary = 0xFFFF;  // none
  DeviceKind device = DeviceKind::kQ3207;
  InstrumentProfile profile;

  // How the interface carries messages.
  bool socket = false;                   // a TCPIP ...::SOCKET resource
  bool endIndicator = true;              // END with the last byte (never on a SOCKET)
  bool carriageReturn = false;           // replies end in CR LF
  size_t largestPiece = 0;               // replies reach the VISA in pieces this long; 0: whole
  std::vector<uint32_t> setWarnings;     // attributes whose viSetAttribute warns

  std::optional<int32_t> openStatus;     // viOpen returns this instead of success
  std::vector<std::string> timeoutHeaders;
  std::vector<int> timeoutIos;           // 1-based I/O numbers (writes and reads)
  int delayMs = 0;
  std::vector<HeaderFault> longReplies;
  std::vector<HeaderFault> errorFloods;
  // Network faults (the network simulator only).
  std::vector<std::string> dropHeaders;   // the connection is dropped on such a message
  std::vector<HeaderFault> stallReplies;  // amount: the bytes sent before the reply stalls
  LinkScript link;
};

struct MainframeConfig {
  std::vector<ResourceConfig> resources;
  std::optional<int32_t> rmStatus;       // viOpenDefaultRM fails with this
  std::optional<int32_t> findStatus;     // viFindRsrc fails with this
  int findCountExtra = 0;                // viFindRsrc reports this many more than exist
};

struct ConfigResult {
  MainframeConfig config;
  int badLine = 0;  // 1-based; 0 when the text is good
  std::string problem;
};

ConfigResult ParseMainframeConfig(std::string_view text);

// One Q3207 at GPIB-VXI0::24::INSTR, as a mainframe without configuration holds.
const char* DefaultMainframeText();

}  // namespace tgqsim
