// The I/O log: every call the program makes to the driver, with when it was
// made, how long it took, what went out, what came back, its status and the
// operator action behind it. It keeps the last 10 000 calls from start-up on,
// whether anyone looks or not, and can append each call to a file as it
// happens.
#pragma once

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <iterator>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// How a record's sent text and reply are written from what the call passed
// and read, which the record keeps as they were.
enum class EIoSent : uint8_t {
  kText,           // m_text as it is ("FREQ?", a resource name)
  kCommand,        // m_text, a whole command; its header stands before the last blank
  kHeaderReal,     // m_text, then m_sentValue as the driver writes a real
  kHeaderInteger,  // m_text, then m_sentValue as an integer
};
enum class EIoReply : uint8_t {
  kText,        // m_reply as it is
  kNumber,      // m_replyValue, in its shortest form
  kInteger,     // m_replyValue as an integer
  kSelfTest,    // m_replyValue as an integer, ", ", m_reply
  kErrorQuery,  // m_replyValue as an integer, ",", m_reply
};

// One call as it happened; its texts are made when it is shown or written.
struct CIoRecord {
  uint64_t m_number = 0;  // 1 for the run's first call
  std::chrono::system_clock::time_point m_startedAt;
  double m_durationMs = 0;
  uint32_t m_action = 0;   // IoLog().ActionName(m_action): "Main: Frequency Enter"
  std::string_view m_entry;  // "tgq3207_cmdReal"; a text that lasts the whole run
  int32_t m_status = 0;
  EIoSent m_sentForm = EIoSent::kText;
  EIoReply m_replyForm = EIoReply::kText;
  std::string m_text;  // the command, query or header the call passed
  double m_sentValue = 0;
  double m_replyValue = 0;
  std::string m_reply;  // the text a query read
};

class CIoLog {
 public:
  static constexpr size_t kCapacity = 10000;

  // Keeps the call (numbered on), dropping the oldest beyond the capacity,
  // and appends it to the log file when there is one.
  void Record(CIoRecord record);
  void Clear();

  const std::deque<CIoRecord>& Records() const { return m_records; }
  uint64_t Dropped() const { return m_dropped; }
  // Counts every change of the records: a window redraws when it moved.
  uint64_t Version() const { return m_version; }

  // From now on each call is also appended to `file`, which the log then owns
  // and flushes at each call; `name` says where it is. Null stops it.
  void LogTo(std::FILE* file, std::string name);
  const std::string& LogFile() const { return m_filePath; }

  // The operator action that the calls made now belong to; a record keeps
  // its number, which names it for the whole run.
  const std::string& Action() const { return ActionName(m_action); }
  uint32_t ActionNumber() const { return m_action; }
  const std::string& ActionName(uint32_t number) const { return m_actionNames[number]; }
  void SetAction(const std::string& action);

  // Off, calls are not recorded (the benchmarks compare both).
  bool m_enabled = true;

 private:
  std::deque<CIoRecord> m_records;
  uint64_t m_next = 1;
  uint64_t m_dropped = 0;
  uint64_t m_version = 0;
  std::vector<std::string> m_actionNames{""};
  std::unordered_map<std::string, uint32_t> m_actionNumbers{{"", 0}};
  uint32_t m_action = 0;
  std::string m_filePath;
  std::FILE* m_file = nullptr;
};

CIoLog& IoLog();

// Names the operator action for the calls made while it lives; the action
// before it comes back at its end.
class CIoActionScope {
 public:
  explicit CIoActionScope(std::string action);
  ~CIoActionScope();
  CIoActionScope(const CIoActionScope&) = delete;
  CIoActionScope& operator=(const CIoActionScope&) = delete;

 private:
  std::string m_previous;
};

// Stamps a record with the time and action it starts under and, at Stop, its duration.
class CIoCallClock {
 public:
  explicit CIoCallClock(CIoRecord& record);
  void Stop();

 private:
  CIoRecord& m_record;
  std::chrono::steady_clock::time_point m_start;
};

// "0x00000000 success", "0xBFFF0015 time-out".
std::string StatusText(int32_t status);

// The columns of a record, as the list shows them.
inline constexpr const char* kIoLogColumns[] = {"No.", "Time", "ms", "Action", "Entry point", "Sent", "Reply", "Status"};
constexpr size_t kIoLogColumnCount = std::size(kIoLogColumns);
std::string RecordField(const CIoRecord& record, size_t column);
std::vector<std::string> RecordFields(const CIoRecord& record);
// The line that says how many calls were dropped ("" when none).
std::string DroppedLine(uint64_t dropped);

// Records as text: fields separated by tabs, or as CSV (RFC 4180 quoting);
// CR LF line ends; a file's text begins with the column names and the line
// of the dropped calls.
std::string RecordsAsText(const std::vector<const CIoRecord*>& records, uint64_t dropped, bool asFile = true);
std::string RecordsAsCsv(const std::vector<const CIoRecord*>& records, uint64_t dropped);
// The setting commands that were sent and taken, in the setup file's form and
// in the order they went out, from the last reset on ("*RST" first): replayed
// after it, they give the settings the instrument was left with.
std::string RecordsAsScript(const std::vector<const CIoRecord*>& records);
