#include "netsim/portmapper.h"

#include "sockets/vxi11_protocol.h"
#include "sockets/xdr.h"

namespace tgqnet {

using namespace vxi11;

namespace {

uint32_t PortOf(uint32_t program, uint32_t version, uint32_t protocol, const Vxi11Ports& ports) {
  if (version != kVersion || protocol != kProtocolTcp) return 0;
  if (program == kCoreProgram) return ports.core;
  if (program == kAbortProgram) return ports.abort;
  return 0;
}

std::string Mappings(const Vxi11Ports& ports) {
  struct Mapping {
    uint32_t program, version, protocol, port;
  };
  const Mapping all[] = {{kPortmapProgram, kPortmapVersion, kProtocolTcp, ports.portmap},
                         {kPortmapProgram, kPortmapVersion, kProtocolUdp, ports.portmap},
                         {kCoreProgram, kVersion, kProtocolTcp, ports.core},
                         {kAbortProgram, kVersion, kProtocolTcp, ports.abort}};
  XdrWriter list;
  for (const Mapping& m : all) list.U32(1).U32(m.program).U32(m.version).U32(m.protocol).U32(m.port);
  return list.U32(0).Bytes();
}

}  // namespace

std::string AnswerPortmap(const RpcCall& call, const Vxi11Ports& ports) {
  if (call.version != kPortmapVersion)
    return ProgMismatchMessage(call.xid, kPortmapVersion, kPortmapVersion);
  XdrReader args(call.arguments);
  switch (call.procedure) {
    case kPortmapNull:
      return ReplyMessage(call.xid, AcceptStat::kSuccess);
    case kPortmapGetPort: {
      uint32_t program = args.U32(), version = args.U32(), protocol = args.U32();
      args.U32();  // the port field, unused in a question
      if (!args.Ok()) return ReplyMessage(call.xid, AcceptStat::kGarbageArgs);
      XdrWriter port;
      port.U32(PortOf(program, version, protocol, ports));
      return ReplyMessage(call.xid, AcceptStat::kSuccess, port.Bytes());
    }
    case kPortmapDump:
      return ReplyMessage(call.xid, AcceptStat::kSuccess, Mappings(ports));
    default:
      return ReplyMessage(call.xid, AcceptStat::kProcUnavail);
  }
}

}  // namespace tgqnet
