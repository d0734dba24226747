#include "sockets/rpc_message.h"

#include "sockets/xdr.h"

namespace tgqnet {

namespace {
constexpr uint32_t kLastFragment = 0x80000000u;
constexpr uint32_t kCall = 0, kReply = 1, kRpcVersion = 2, kMsgAccepted = 0;
constexpr size_t kMaxAuthLength = 400;

uint32_t ReadMark(std::string_view bytes) {
  XdrReader reader(bytes.substr(0, 4));
  return reader.U32();
}

// Skips credentials or a verifier: a flavour and opaque body.
void SkipAuth(XdrReader& reader) {
  reader.U32();
  reader.Opaque(kMaxAuthLength);
}
}  // namespace

bool RecordAssembler::Add(std::string_view bytes, std::vector<std::string>* records) {
  pending_ += bytes;
  while (pending_.size() >= 4) {
    uint32_t mark = ReadMark(pending_);
    size_t length = mark & ~kLastFragment;
    if (record_.size() + length > maxRecord_) return false;
    if (pending_.size() < 4 + length) break;
    record_.append(pending_, 4, length);
    pending_.erase(0, 4 + length);
    if (mark & kLastFragment) {
      records->push_back(std::move(record_));
      record_.clear();
    }
  }
  return true;
}

std::string FrameRecord(std::string_view message) {
  XdrWriter mark;
  mark.U32(kLastFragment | static_cast<uint32_t>(message.size()));
  return mark.Bytes() + std::string(message);
}

std::optional<RpcCall> ParseCall(std::string_view message) {
  XdrReader reader(message);
  RpcCall call;
  call.xid = reader.U32();
  bool isCall = reader.U32() == kCall && reader.U32() == kRpcVersion;
  call.program = reader.U32();
  call.version = reader.U32();
  call.procedure = reader.U32();
  SkipAuth(reader);
  SkipAuth(reader);
  if (!reader.Ok() || !isCall) return std::nullopt;
  call.arguments = std::string(reader.Rest());
  return call;
}

std::string CallMessage(const RpcCall& call) {
  XdrWriter w;
  w.U32(call.xid).U32(kCall).U32(kRpcVersion).U32(call.program).U32(call.version);
  w.U32(call.procedure).U32(0).Opaque({}).U32(0).Opaque({});
  return w.Bytes() + call.arguments;
}

namespace {
XdrWriter AcceptedHeader(uint32_t xid, AcceptStat stat) {
  XdrWriter w;
  w.U32(xid).U32(kReply).U32(kMsgAccepted).U32(0).Opaque({}).U32(static_cast<uint32_t>(stat));
  return w;
}
}  // namespace

std::string ReplyMessage(uint32_t xid, AcceptStat stat, std::string_view results) {
  return AcceptedHeader(xid, stat).Bytes() + std::string(results);
}

std::string ProgMismatchMessage(uint32_t xid, uint32_t low, uint32_t high) {
  return AcceptedHeader(xid, AcceptStat::kProgMismatch).U32(low).U32(high).Bytes();
}

std::optional<RpcReply> ParseReply(std::string_view message, uint32_t xid) {
  XdrReader reader(message);
  bool matches = reader.U32() == xid && reader.U32() == kReply && reader.U32() == kMsgAccepted;
  SkipAuth(reader);
  auto stat = static_cast<AcceptStat>(reader.U32());
  if (!reader.Ok() || !matches) return std::nullopt;
  return RpcReply{stat, std::string(reader.Rest())};
}

}  // namespace tgqnet
