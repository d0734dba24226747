// A setup file: the instrument's settings as a SCPI script that any SCPI
// client can replay line by line. ASCII with CR LF line ends; comment lines
// (#) first, then one command per setting in an order the instrument takes
// from its power-on state: the modes that are off, the function, load and
// waveform name, frequency, amplitude, offset and duty cycle, the modes' own
// settings, and last the mode that is on.
//
// A file read back is a script: its lines act in turn, as on the instrument.
// A header may take any spelling the instrument takes (short or long form, any
// case, a leading colon, optional nodes); "*RST" returns every setting to its
// power-on value; "VOLT:UNIT VPP" may stand on its own line, and amplitudes are
// always in Vpp. A setting may be given more than once: the last one counts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "instrument/setting_table.h"

class CInstrument;

// A setup file's first line.
constexpr std::string_view kSetupFileTitle = "# TG Q3207 setup";
constexpr size_t kMaxSetupFileSize = 64 * 1024;
constexpr size_t kMaxSetupLineLength = 256;

struct CSetupOrigin {
  std::string m_savedUtc;  // "2026-12-08T15:17:08Z"
  std::string m_version;   // "A.01.01"
  std::string m_resource;  // the resource name; empty when non-live
};

// One setting of a setup, with the line it stands on (0 when not from a file).
struct CSetupStep {
  const CSetting* m_row;
  CSettingValue m_value;
  int m_line = 0;
};

// The steps in the order a saved file lists them; the table's order within a group.
std::vector<CSetupStep> InRecallOrder(std::vector<CSetupStep> steps);

// The remembered value of every setting, in that order.
std::vector<CSetupStep> RememberedSetup(const CInstrument& instrument);

// The setting commands as script lines, each ended by CR LF.
std::string SetupCommands(const std::vector<CSetupStep>& steps);
// The whole file: the comment lines, then the commands of every setting.
std::string WriteSetup(const CInstrument& instrument, const CSetupOrigin& origin);

// A whole file read and checked line by line: its setting commands in the
// file's order, those after its last reset, or the first line that failed and why.
struct CSetupReading {
  std::vector<CSetupStep> m_steps;
  int m_resetLine = 0;  // the line of the last "*RST"; 0 when none
  int m_errorLine = 0;
  std::string m_error;  // "\"FREQ 2,5e6\" is not a number"
  bool Ok() const { return m_error.empty(); }
};
CSetupReading ReadSetup(std::string_view bytes);

// "Setup not recalled: line 7: \"FREQ 2,5e6\" is not a number."
std::string RefusalText(int line, const std::string& reason);
