// An ONC RPC client over one TCP connection: one call at a time, each reply
// matched to its call by xid.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "sockets/rpc_message.h"
#include "sockets/socket_io.h"

namespace tgqnet {

class RpcClient {
 public:
  // A connection to host:port made within timeoutMs; check Connected().
  RpcClient(const std::string& host, uint16_t port, int timeoutMs);
  ~RpcClient();
  RpcClient(const RpcClient&) = delete;
  RpcClient& operator=(const RpcClient&) = delete;

  bool Connected() const { return socket_ != kNoSocket && !lost_; }
  // The connection broke or the peer closed it; every later call fails.
  bool Lost() const { return lost_; }

  // The reply within timeoutMs; nothing on a late reply (the connection is
  // then given up, as its stream can no longer be trusted) or a lost one.
  std::optional<RpcReply> Call(uint32_t program, uint32_t version, uint32_t procedure,
                               const std::string& arguments, int timeoutMs);

 private:
  SocketHandle socket_;
  bool lost_ = false;
  uint32_t nextXid_;
  RecordAssembler records_;
};

}  // namespace tgqnet
