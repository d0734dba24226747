// The port mapper's answers (program 100000) for the VXI-11 server: version
// 2 names the core and abort channels' ports; the newer versions 3 and 4
// are answered with a version mismatch, after which clients ask version 2.
#pragma once

#include <cstdint>
#include <string>

#include "sockets/rpc_message.h"

namespace tgqnet {

struct Vxi11Ports {
  uint16_t portmap;
  uint16_t core;
  uint16_t abort;
};

// The reply message to a call for the port mapper.
std::string AnswerPortmap(const RpcCall& call, const Vxi11Ports& ports);

}  // namespace tgqnet
