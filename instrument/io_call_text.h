// What one driver call sent and what it read back, told apart by the entry
// point's parameters: the text of a command or query, a value the driver
// appends to a header, and the reply a query wrote. Kept as the call passed
// and read them; the log makes the texts when it shows or writes them. Each
// signature of the driver's entry points has its own pair; any other does
// not compile.
#pragma once

#include <cstring>
#include <string>

#include "instrument/io_log.h"
#include "tgq3207.h"

namespace io_call_text {

inline void Sent(CIoRecord& record, ViString command) {
  record.m_sentForm = EIoSent::kCommand;
  record.m_text = command;
}
inline void Sent(CIoRecord& record, ViString header, ViReal64 value) {
  record.m_sentForm = EIoSent::kHeaderReal;
  record.m_text = header;
  record.m_sentValue = value;
}
inline void Sent(CIoRecord& record, ViString header, ViInt32 value) {
  record.m_sentForm = EIoSent::kHeaderInteger;
  record.m_text = header;
  record.m_sentValue = value;
}
inline void Sent(CIoRecord& record, ViString query, ViReal64*) { record.m_text = query; }
inline void Sent(CIoRecord& record, ViString query, ViInt16*) { record.m_text = query; }
inline void Sent(CIoRecord& record, ViString query, ViInt32, ViChar*) { record.m_text = query; }
inline void Sent(CIoRecord&) {}
inline void Sent(CIoRecord&, ViInt16*) {}
inline void Sent(CIoRecord&, ViInt16*, ViChar*) {}
inline void Sent(CIoRecord&, ViInt32*, ViChar*) {}
template <typename... Args>
void Sent(CIoRecord&, Args...) = delete;

inline void Read(CIoRecord& record, ViString, ViReal64* reply) {
  record.m_replyForm = EIoReply::kNumber;
  record.m_replyValue = *reply;
}
inline void Read(CIoRecord& record, ViString, ViInt16* reply) {
  record.m_replyForm = EIoReply::kInteger;
  record.m_replyValue = *reply;
}
inline void Read(CIoRecord& record, ViString, ViInt32 size, ViChar* reply) {
  record.m_reply.assign(reply, strnlen(reply, static_cast<size_t>(size)));
}
inline void Read(CIoRecord& record, ViInt16* reply) {
  record.m_replyForm = EIoReply::kInteger;
  record.m_replyValue = *reply;
}
inline void Read(CIoRecord& record, ViInt16* code, ViChar* message) {
  record.m_replyForm = EIoReply::kSelfTest;
  record.m_replyValue = *code;
  record.m_reply.assign(message, strnlen(message, TGQ3207_SELF_TEST_MESSAGE_SIZE));
}
inline void Read(CIoRecord& record, ViInt32* code, ViChar* message) {
  record.m_replyForm = EIoReply::kErrorQuery;
  record.m_replyValue = *code;
  record.m_reply.assign(message, strnlen(message, TGQ3207_ERROR_MESSAGE_SIZE));
}
inline void Read(CIoRecord&) {}
inline void Read(CIoRecord&, ViString) {}
inline void Read(CIoRecord&, ViString, ViReal64) {}
inline void Read(CIoRecord&, ViString, ViInt32) {}
template <typename... Args>
void Read(CIoRecord&, Args...) = delete;

}  // namespace io_call_text

// The record of one driver call: what it sends and when it starts at
// construction, its status, reply and duration at Finish, which keeps it in
// the log.
class CIoCapture {
 public:
  template <typename... Args>
  explicit CIoCapture(std::string_view entry, Args... args) : m_clock(m_record) {
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
