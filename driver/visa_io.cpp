#include "driver/visa_io.h"

#include <algorithm>
#include <vector>

#include "driver/driver_status.h"
#include "driver/io_trace.h"
#include "driver/reply_parsing.h"

namespace {
constexpr ViUInt32 kReadChunk = 256;
}

ViStatus WriteLine(ViSession vi, const std::string& text) {
  TraceCommand(text);
  std::string message = text + "\n";
  size_t sent = 0;
  while (sent < message.size()) {
    ViUInt32 count = 0;
    ViStatus status = viWrite(vi, reinterpret_cast<ViBuf>(&message[sent]),
                              static_cast<ViUInt32>(message.size() - sent), &count);
    if (status < 0) return TraceStatus("viWrite", status);
    if (count == 0) return TraceStatus("viWrite", VI_ERROR_IO);
    sent += count;
  }
  return VI_SUCCESS;
}

ViStatus ReadLine(ViSession vi, std::string& reply) {
  reply.clear();
  std::vector<ViByte> chunk(kReadChunk);
  for (;;) {
    ViUInt32 count = 0;
    ViStatus status = viRead(vi, chunk.data(), kReadChunk, &count);
    if (status < 0) return TraceStatus("viRead", status);
    // A VISA may report more than it was asked for; the chunk holds no more.
    reply.append(reinterpret_cast<const char*>(chunk.data()), std::min(count, kReadChunk));
    size_t lineFeed = reply.find('\n');
    if (lineFeed != std::string::npos) {
      reply.erase(lineFeed);
      break;
    }
    if (reply.size() > kMaxReplyLength) return TraceStatus("viRead", kStatusInvalidResponse);
    // A full buffer means the reply goes on; any other success ended it.
    if (status != VI_SUCCESS_MAX_CNT) break;
  }
  if (!reply.empty() && reply.back() == '\r') reply.pop_back();
  // The line feed may come in the read that passed the limit.
  if (reply.size() > kMaxReplyLength) return TraceStatus("viRead", kStatusInvalidResponse);
  TraceReply(reply);
  return VI_SUCCESS;
}

ViStatus QueryLine(ViSession vi, const std::string& query, std::string& reply) {
  reply.clear();
  ViStatus status = WriteLine(vi, query);
  if (status < 0) return status;
  return ReadLine(vi, reply);
}

ViStatus ReadStatusByte(ViSession vi, ViUInt16& statusByte) {
  ViStatus status = viReadSTB(vi, &statusByte);
  if (status != VI_ERROR_NSUP_OPER) return TraceStatus("viReadSTB", status);
  std::string reply;
  status = QueryLine(vi, "*STB?", reply);
  if (status < 0) return status;
  std::optional<int16_t> parsed = ParseInt16(reply);
  if (!parsed || *parsed < 0 || *parsed > 0xFF) return TraceStatus("*STB?", kStatusInvalidResponse);
  statusByte = static_cast<ViUInt16>(*parsed);
  return VI_SUCCESS;
}
