// An instrument on the network, reached over a real TCP connection through
// a TCPIP[board]::host::port::SOCKET name that the mainframe does not list
// (a network simulator, or a real instrument). A socket carries no END, so
// reads end only at the enabled termination character, a full buffer or the
// time-out; a peer that closed makes every later I/O fail with
// VI_ERROR_CONN_LOST.
#pragma once

#include <memory>
#include <string_view>

#include "sockets/socket_io.h"
#include "visa-sim/visa/reply_reader.h"
#include "visa-sim/visa/session_target.h"

namespace tgqsim {

class NetResource : public SessionTarget {
 public:
  // The connection that the name asks for, made within the time-out; null
  // when the name is not a TCPIP SOCKET name or nobody answers there.
  static std::unique_ptr<NetResource> Open(std::string_view name, ViUInt32 timeoutMs);
  ~NetResource() override;

  const ResourceConfig& Config() const override { return config_; }
  ViStatus Write(std::string_view data, const WriteSettings& settings, ViUInt32* written,
                 TrafficLog& log) override;
  ViStatus Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings, ViUInt32* read,
                TrafficLog& log) override;
  void Clear(TrafficLog& log) override;

 private:
  NetResource(ResourceConfig config, tgqnet::SocketHandle socket)
      : config_(std::move(config)), socket_(socket) {}

  ResourceConfig config_;
  tgqnet::SocketHandle socket_;
  bool lost_ = false;  // the peer closed the connection or it broke
  ReplyReader reader_;
};

}  // namespace tgqsim
