#include "tests/support/logged_calls.h"

#include "instrument/io_log.h"

namespace {
template <typename Each>
void ForEachSince(uint64_t first, Each each) {
  for (const CIoRecord& record : IoLog().Records())
    if (record.m_number >= first) each(record);
}
}  // namespace

CLoggedCalls::CLoggedCalls()
    : m_first(IoLog().Records().empty() ? 1 : IoLog().Records().back().m_number + 1) {}

std::vector<std::string> CLoggedCalls::Lines() const {
  std::vector<std::string> lines;
  ForEachSince(m_first, [&lines](const CIoRecord& record) {
    std::vector<std::string> fields = RecordFields(record);
    std::string line = fields[3];
    for (size_t i = 4; i < fields.size(); ++i) line += " | " + fields[i];
    lines.push_back(line);
  });
  return lines;
}

std::vector<double> CLoggedCalls::DurationsMs() const {
  std::vector<double> durations;
  ForEachSince(m_first, [&durations](const CIoRecord& record) { durations.push_back(record.m_durationMs); });
  return durations;
}
