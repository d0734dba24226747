#include "sockets/rpc_client.h"

#include <chrono>
#include <vector>

namespace tgqnet {

namespace {
constexpr size_t kMaxReply = 16 << 20;
}

RpcClient::RpcClient(const std::string& host, uint16_t port, int timeoutMs)
    : socket_(Connect(host, port, timeoutMs)),
      nextXid_(static_cast<uint32_t>(
          std::chrono::steady_clock::now().time_since_epoch().count())),
      records_(kMaxReply) {}

RpcClient::~RpcClient() { CloseSocket(socket_); }

std::optional<RpcReply> RpcClient::Call(uint32_t program, uint32_t version, uint32_t procedure,
                                        const std::string& arguments, int timeoutMs) {
  if (!Connected()) return std::nullopt;
  uint32_t xid = nextXid_++;
  if (!SendAll(socket_, FrameRecord(CallMessage({xid, program, version, procedure, arguments})),
               timeoutMs)) {
    lost_ = true;
    return std::nullopt;
  }
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0 || WaitReadable({socket_}, static_cast<int>(left.count())).empty()) {
      lost_ = true;  // a reply may still come: the stream is out of step
      return std::nullopt;
    }
    char buffer[8192];
    int received = Receive(socket_, buffer, sizeof buffer);
    std::vector<std::string> records;
    if (received <= 0 ||
        !records_.Add(std::string_view(buffer, static_cast<size_t>(received)), &records)) {
      lost_ = true;
      return std::nullopt;
    }
    for (const std::string& record : records)
      if (std::optional<RpcReply> reply = ParseReply(record, xid)) return reply;
  }
}

}  // namespace tgqnet
