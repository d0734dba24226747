#include "instrument/io_log.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "instrument/instrument.h"
#include "instrument/setting_table.h"
#include "instrument/setting_text.h"
#include "instrument/setup_file.h"
#include "tgq3207.h"
#include "tgq3207_real_text.h"
#include "visa.h"

namespace {

std::string Hex(int32_t status) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
  return text;
}

std::string Milliseconds(double ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", ms);
  return text;
}

std::string CsvField(const std::string& field) {
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

// Tabs and line ends inside a field would break the line into columns.
std::string TextField(std::string field) {
  for (char& c : field)
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  return field;
}

template <typename Field>
std::string Lines(const std::vector<const CIoRecord*>& records, uint64_t dropped, bool asFile,
                  const char* separator, Field field) {
  std::string text;
  auto line = [&](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) text += (i ? separator : "") + field(fields[i]);
    text += "\r\n";
  };
  if (asFile) line({std::begin(kIoLogColumns), std::end(kIoLogColumns)});
  if (asFile && dropped > 0) line({DroppedLine(dropped)});
  for (const CIoRecord* record : records) line(RecordFields(*record));
  return text;
}

std::string LocalTimeText(std::chrono::system_clock::time_point time) {
  std::time_t seconds = std::chrono::system_clock::to_time_t(time);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count() % 1000;
  std::tm local = *std::localtime(&seconds);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(ms));
  return text;
}

std::string IntegerText(double value) { return std::to_string(static_cast<int32_t>(value)); }

std::string SentText(const CIoRecord& record) {
  switch (record.m_sentForm) {
    case EIoSent::kHeaderReal: return record.m_text + " " + Tgq3207RealText(record.m_sentValue);
    case EIoSent::kHeaderInteger: return record.m_text + " " + IntegerText(record.m_sentValue);
    case EIoSent::kText:
    case EIoSent::kCommand: break;
  }
  return record.m_text;
}

std::string ReplyText(const CIoRecord& record) {
  switch (record.m_replyForm) {
    case EIoReply::kNumber: return ShortestNumberText(record.m_replyValue);
    case EIoReply::kInteger: return IntegerText(record.m_replyValue);
    case EIoReply::kSelfTest: return IntegerText(record.m_replyValue) + ", " + record.m_reply;
    case EIoReply::kErrorQuery: return IntegerText(record.m_replyValue) + "," + record.m_reply;
    case EIoReply::kText: break;
  }
  return record.m_reply;
}

// A setting command's header and value, for scripts ("FREQ", "2500000"); an
// empty header for any other call.
std::pair<std::string, std::string> HeaderAndValue(const CIoRecord& record) {
  switch (record.m_sentForm) {
    case EIoSent::kHeaderReal: return {record.m_text, ShortestNumberText(record.m_sentValue)};
    case EIoSent::kHeaderInteger: return {record.m_text, IntegerText(record.m_sentValue)};
    case EIoSent::kCommand: {
      size_t blank = record.m_text.rfind(' ');
      if (blank != std::string::npos) return {record.m_text.substr(0, blank), record.m_text.substr(blank + 1)};
      break;
    }
    case EIoSent::kText: break;
  }
  return {};
}

}  // namespace

CIoLog& IoLog() {
  static CIoLog log;
  return log;
}

void CIoLog::Record(CIoRecord record) {
  record.m_number = m_next++;
  if (m_file != nullptr) {
    std::fputs(RecordsAsText({&record}, 0, false).c_str(), m_file);
    std::fflush(m_file);
  }
  m_records.push_back(std::move(record));
  if (m_records.size() > kCapacity) {
    m_records.pop_front();
    ++m_dropped;
  }
  ++m_version;
}

void CIoLog::Clear() {
  m_records.clear();
  m_dropped = 0;
  ++m_version;
}

void CIoLog::LogTo(std::FILE* file, std::string name) {
  if (m_file != nullptr) std::fclose(m_file);
  m_file = file;
  m_filePath = file != nullptr ? std::move(name) : std::string();
}

void CIoLog::SetAction(const std::string& action) {
  auto [known, added] = m_actionNumbers.try_emplace(action, static_cast<uint32_t>(m_actionNames.size()));
  if (added) m_actionNames.push_back(action);
  m_action = known->second;
}

CIoActionScope::CIoActionScope(std::string action) : m_previous(IoLog().Action()) {
  IoLog().SetAction(std::move(action));
}

CIoActionScope::~CIoActionScope() { IoLog().SetAction(std::move(m_previous)); }

namespace {
// The wall-clock time of a steady-clock instant. A call reads only the steady
// clock, at its start and end: the wall clock is read again at most once a
// second, and so follows when it is set.
std::chrono::system_clock::time_point WallTimeAt(std::chrono::steady_clock::time_point instant) {
  static std::chrono::steady_clock::time_point steadyAnchor;
  static std::chrono::system_clock::time_point wallAnchor;
  if (steadyAnchor == std::chrono::steady_clock::time_point() || instant - steadyAnchor >= std::chrono::seconds(1)) {
    steadyAnchor = instant;
    wallAnchor = std::chrono::system_clock::now();
  }
  return wallAnchor + std::chrono::duration_cast<std::chrono::system_clock::duration>(instant - steadyAnchor);
}
}  // namespace

CIoCallClock::CIoCallClock(CIoRecord& record) : m_record(record) {
  m_record.m_action = IoLog().ActionNumber();
  m_start = std::chrono::steady_clock::now();
  m_record.m_startedAt = WallTimeAt(m_start);
}

void CIoCallClock::Stop() {
  std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - m_start;
  m_record.m_durationMs = took.count();
}

std::string StatusText(int32_t status) {
  const char* meaning = "warning";
  if (status == VI_SUCCESS) meaning = "success";
  else if (status == VI_ERROR_TMO) meaning = "time-out";
  else if (status == TGQ3207_INSTR_ERROR_DETECTED) meaning = "instrument reports errors";
  else if (status == kStatusTooFast) meaning = "refused, another call in progress";
  else if (status == VI_ERROR_NSUP_OPER) meaning = "not supported";
  else if (status < 0) meaning = "failure";
  return Hex(status) + " " + meaning;
}

std::string RecordField(const CIoRecord& record, size_t column) {
  using FieldText = std::string (*)(const CIoRecord&);
  // In the order of kIoLogColumns.
  static const FieldText kFieldTexts[] = {
      [](const CIoRecord& r) { return std::to_string(r.m_number); },
      [](const CIoRecord& r) { return LocalTimeText(r.m_startedAt); },
      [](const CIoRecord& r) { return Milliseconds(r.m_durationMs); },
      [](const CIoRecord& r) { return IoLog().ActionName(r.m_action); },
      [](const CIoRecord& r) { return std::string(r.m_entry); },
      SentText,
      ReplyText,
      [](const CIoRecord& r) { return StatusText(r.m_status); },
  };
  static_assert(std::size(kFieldTexts) == kIoLogColumnCount);
  return kFieldTexts[column](record);
}

std::vector<std::string> RecordFields(const CIoRecord& record) {
  std::vector<std::string> fields;
  for (size_t column = 0; column < kIoLogColumnCount; ++column) fields.push_back(RecordField(record, column));
  return fields;
}

std::string DroppedLine(uint64_t dropped) {
  if (dropped == 0) return {};
  return std::to_string(dropped) + " earlier calls dropped: the log keeps the last " +
         std::to_string(CIoLog::kCapacity);
}

std::string RecordsAsText(const std::vector<const CIoRecord*>& records, uint64_t dropped, bool asFile) {
  return Lines(records, dropped, asFile, "\t", TextField);
}

std::string RecordsAsCsv(const std::vector<const CIoRecord*>& records, uint64_t dropped) {
  return Lines(records, dropped, true, ",", CsvField);
}

std::string RecordsAsScript(const std::vector<const CIoRecord*>& records) {
  // The driver's own name of its reset entry point.
  const std::string resetEntry = (static_cast<void>(sizeof(&tgq3207_reset)), "tgq3207_reset");
  auto lastReset = std::find_if(records.rbegin(), records.rend(), [&resetEntry](const CIoRecord* record) {
    return record->m_status >= 0 && record->m_entry == resetEntry;
  });
  std::string script = std::string(kSetupFileTitle) + "\r\n# from the I/O log\r\n";
  if (lastReset != records.rend()) script += "*RST\r\n";
  for (auto record = lastReset.base(); record != records.end(); ++record) {
    if ((*record)->m_status < 0) continue;
    auto [header, valueText] = HeaderAndValue(**record);
    const CSetting* row = header.empty() ? nullptr : FindSettingByHeader(header);
    if (row == nullptr) continue;
    CValueReading value = ReadSettingValue(*row, valueText);
    if (value.m_value) script += SettingCommand(*row, *value.m_value) + "\r\n";
  }
  return script;
}
