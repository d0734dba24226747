// An instrument on the network reached over VXI-11, through a
// TCPIP[board]::host[::device]::INSTR name that the mainframe does not list
// (a network simulator, or a real LAN instrument): the port mapper on port
// 111 names the core channel, where the session makes its link (device
// inst0 when the name gives none). Reads end at END as on any INSTR
// resource; error 15 from the instrument is VI_ERROR_TMO, a connection that
// goes makes every later I/O fail with VI_ERROR_CONN_LOST.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "sockets/rpc_client.h"
#include "visa-sim/visa/reply_reader.h"
#include "visa-sim/visa/session_target.h"

namespace tgqsim {

class Vxi11Resource : public SessionTarget {
 public:
  // The link that the name asks for, made within the time-out; null when
  // the name is no TCPIP INSTR name or nobody there makes the link.
  static std::unique_ptr<Vxi11Resource> Open(std::string_view name, ViUInt32 timeoutMs);
  ~Vxi11Resource() override;

  const ResourceConfig& Config() const override { return config_; }
  ViStatus Write(std::string_view data, const WriteSettings& settings, ViUInt32* written,
                 TrafficLog& log) override;
  ViStatus Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings, ViUInt32* read,
                TrafficLog& log) override;
  void Clear(TrafficLog& log) override;
  ViStatus ReadStb(ViUInt16* status, TrafficLog& log) override;
  ViStatus AssertTrigger(TrafficLog& log) override;

 private:
  class LinkPieces;
  Vxi11Resource(ResourceConfig config, std::unique_ptr<tgqnet::RpcClient> core, uint32_t link,
                uint32_t maxRecvSize);

  // One call of a procedure that takes the link and the generic flags,
  // lock and I/O time-outs; its VISA status and results.
  ViStatus Generic(uint32_t procedure, ViUInt32 timeoutMs, std::string* results);
  ViStatus StatusOf(uint32_t error) const;

  ResourceConfig config_;
  std::unique_ptr<tgqnet::RpcClient> core_;
  uint32_t link_;
  uint32_t maxRecvSize_;
  ViUInt32 lastTimeoutMs_ = 2000;
  ReplyReader reader_;
};

}  // namespace tgqsim
