// A scripted VISA for the driver's tests: it provides the vi* functions,
// records every call and answers reads from a script.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "visa.h"

struct CFakeRead {
  std::string m_data;
  // Status of the read that hands out the last of m_data.
  ViStatus m_status;
  // Every read of m_data reports this many bytes more than it delivered.
  ViUInt32 m_overReport = 0;
};

struct CFakeVisa {
  // "viOpenDefaultRM", "viOpen:<name>", "viSetAttribute:<name>=<value>",
  // "viWrite:<bytes>", "viRead:<count>", "viReadSTB", "viClear",
  // "viAssertTrigger", "viClose:<session>".
  std::vector<std::string> m_calls;
  // Read replies in order; a read with none left times out.
  std::deque<CFakeRead> m_reads;
  // Statuses that the next calls of a function return instead of doing their work.
  std::map<std::string, std::deque<ViStatus>> m_failures;
  std::deque<ViUInt16> m_statusBytes;
  bool m_triggerSupported = true;
  std::set<ViSession> m_open;
  ViSession m_nextSession = 1;
};

CFakeVisa& FakeVisa();
void ResetFakeVisa();
// The instrument answers `line` (a line feed is added).
void ScriptReply(const std::string& line);
void ScriptRead(const std::string& data, ViStatus status, ViUInt32 overReport = 0);
void FailNext(const std::string& function, ViStatus status);
void ScriptStatusByte(ViUInt16 statusByte);
