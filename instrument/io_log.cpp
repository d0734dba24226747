#include "instrument/io_log.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "instrument/setting_table.h"
#include "instrument/setting_text.h"
#include "tgq3207.h"
#include "visa.h"

namespace {

constexpr int32_t kStatusInstrumentErrors = static_cast<int32_t>(0xBFFC0D07u);
constexpr int32_t kStatusTooFastCode = static_cast<int32_t>(0xBFFC0008u);

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
  if (asFile) line(std::vector<std::string>(std::begin(kIoLogColumns), std::end(kIoLogColumns)));
  if (asFile && dropped > 0) line({DroppedLine(dropped)});
  for (const CIoRecord* record : records) line(RecordFields(*record));
  return text;
}

}  // namespace

const char* const kIoLogColumns[8] = {"No.", "Time", "ms", "Action", "Entry point", "Sent", "Reply", "Status"};

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

CIoActionScope::CIoActionScope(std::string action) : m_previous(IoLog().Action()) {
  IoLog().SetAction(std::move(action));
}

CIoActionScope::~CIoActionScope() { IoLog().SetAction(std::move(m_previous)); }

CIoCallClock::CIoCallClock(CIoRecord& record) : m_record(record) {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local = *std::localtime(&seconds);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(ms));
  m_record.m_localTime = text;
  m_record.m_action = IoLog().Action();
  m_start = std::chrono::steady_clock::now();
}

void CIoCallClock::Stop() {
  std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - m_start;
  m_record.m_durationMs = took.count();
}

std::string StatusText(int32_t status) {
  const char* meaning = "warning";
  if (status == VI_SUCCESS) meaning = "success";
  else if (status == VI_ERROR_TMO) meaning = "time-out";
  else if (status == kStatusInstrumentErrors) meaning = "instrument reports errors";
  else if (status == kStatusTooFastCode) meaning = "refused, another call in progress";
  else if (status == VI_ERROR_NSUP_OPER) meaning = "not supported";
  else if (status < 0) meaning = "failure";
  return Hex(status) + " " + meaning;
}

std::vector<std::string> RecordFields(const CIoRecord& record) {
  return {std::to_string(record.m_number), record.m_localTime, Milliseconds(record.m_durationMs),
          record.m_action, record.m_entry, record.m_sent, record.m_reply, StatusText(record.m_status)};
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
  std::string script = "# TG Q3207 setup\r\n# from the I/O log\r\n";
  if (lastReset != records.rend()) script += "*RST\r\n";
  for (auto record = lastReset.base(); record != records.end(); ++record) {
    if ((*record)->m_status < 0 || (*record)->m_header.empty()) continue;
    const CSetting* row = FindSettingByHeader((*record)->m_header);
    if (row == nullptr) continue;
    CValueReading value = ReadSettingValue(*row, (*record)->m_value);
    if (value.m_value) script += SettingCommand(*row, *value.m_value) + "\r\n";
  }
  return script;
}
