// What one driver call sent and what it read back, told apart by the entry
// point's parameters: the text of a command or query, a value the driver
// appends to a header, and the reply a query wrote.
#pragma once

#include <cstring>
#include <string>

#include "instrument/io_log.h"
#include "instrument/setting_text.h"
#include "tgq3207.h"
#include "tgq3207_real_text.h"

namespace io_call_text {

// A whole command ("FUNC SIN"): its header is what stands before the last blank.
inline void Sent(CIoRecord& record, ViString text) {
  record.m_sent = text;
  size_t blank = record.m_sent.rfind(' ');
  if (blank == std::string::npos) return;
  record.m_header = record.m_sent.substr(0, blank);
  record.m_value = record.m_sent.substr(blank + 1);
}
inline void Sent(CIoRecord& record, ViString header, ViReal64 value) {
  record.m_sent = std::string(header) + " " + Tgq3207RealText(value);
  record.m_header = header;
  record.m_value = ShortestNumberText(value);
}
inline void Sent(CIoRecord& record, ViString header, ViInt32 value) {
  record.m_header = header;
  record.m_value = std::to_string(value);
  record.m_sent = record.m_header + " " + record.m_value;
}
inline void Sent(CIoRecord& record, ViString query, ViReal64*) { record.m_sent = query; }
inline void Sent(CIoRecord& record, ViString query, ViInt16*) { record.m_sent = query; }
inline void Sent(CIoRecord& record, ViString query, ViInt32, ViChar*) { record.m_sent = query; }
template <typename... Args>
void Sent(CIoRecord&, Args...) {}

inline void Read(CIoRecord& record, ViString, ViReal64* reply) { record.m_reply = ShortestNumberText(*reply); }
inline void Read(CIoRecord& record, ViString, ViInt16* reply) { record.m_reply = std::to_string(*reply); }
inline void Read(CIoRecord& record, ViString, ViInt32 size, ViChar* reply) {
  record.m_reply.assign(reply, strnlen(reply, static_cast<size_t>(size)));
}
inline void Read(CIoRecord& record, ViInt16* reply) { record.m_reply = std::to_string(*reply); }
inline void Read(CIoRecord& record, ViInt16* code, ViChar* message) {
  record.m_reply = std::to_string(*code) + ", " + std::string(message, strnlen(message, TGQ3207_SELF_TEST_MESSAGE_SIZE));
}
inline void Read(CIoRecord& record, ViInt32* code, ViChar* message) {
  record.m_reply = std::to_string(*code) + "," + std::string(message, strnlen(message, TGQ3207_ERROR_MESSAGE_SIZE));
}
template <typename... Args>
void Read(CIoRecord&, Args...) {}

}  // namespace io_call_text

// The record of one driver call: what it sends and when it starts at
// construction, its status, reply and duration at Finish, which keeps it in
// the log.
class CIoCapture {
 public:
  template <typename... Args>
  explicit CIoCapture(const char* entry, Args... args) : m_clock(m_record) {
    m_record.m_entry = entry;
    io_call_text::Sent(m_record, args...);
  }
  template <typename... Args>
  void Finish(int32_t status, Args... args) {
    m_clock.Stop();
    m_record.m_status = status;
    if (status >= 0) io_call_text::Read(m_record, args...);
    IoLog().Record(std::move(m_record));
  }

 private:
  CIoRecord m_record;
  CIoCallClock m_clock;
};
