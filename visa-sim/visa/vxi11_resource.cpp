#include "visa-sim/visa/vxi11_resource.h"

#include <chrono>
#include <cstring>

#include "sockets/vxi11_protocol.h"
#include "sockets/xdr.h"
#include "visa-sim/model/text_util.h"
#include "visa-sim/visa/visa_status_extra.h"

namespace tgqsim {

namespace vxi11 = tgqnet::vxi11;
using tgqnet::AcceptStat;
using tgqnet::RpcReply;
using tgqnet::XdrReader;
using tgqnet::XdrWriter;

namespace {

// An RPC waits this much longer than the time-out it hands the instrument,
// whose own time-out answer must come first.
constexpr int kReplyMarginMs = 2000;
constexpr uint32_t kClientId = 0x5347;

struct LanAddress {
  std::string host;
  std::string device;
};

// "TCPIP[board]::host[::device]::INSTR", ignoring case.
std::optional<LanAddress> ParseLanName(std::string_view name) {
  std::vector<std::string_view> fields;
  for (size_t at; (at = name.find("::")) != std::string_view::npos; name.remove_prefix(at + 2))
    fields.push_back(name.substr(0, at));
  fields.push_back(name);
  if ((fields.size() != 3 && fields.size() != 4) || !StartsWithIgnoringCase(fields[0], "TCPIP") ||
      !EqualsIgnoringCase(fields.back(), "INSTR") || fields[1].empty() ||
      fields[0].substr(5).find_first_not_of("0123456789") != std::string_view::npos)
    return std::nullopt;
  std::string device = fields.size() == 4 ? std::string(fields[2]) : "inst0";
  if (device.empty()) return std::nullopt;
  return LanAddress{std::string(fields[1]), device};
}

std::optional<RpcReply> Succeeded(std::optional<RpcReply> reply) {
  if (reply && reply->stat != AcceptStat::kSuccess) return std::nullopt;
  return reply;
}

int RpcTimeout(ViUInt32 timeoutMs) {
  return static_cast<int>(std::min<ViUInt32>(timeoutMs, INT32_MAX - kReplyMarginMs)) +
         kReplyMarginMs;
}

}  // namespace

// The bytes of device_read calls, each asking what the read can still take.
class Vxi11Resource::LinkPieces : public PieceSource {
 public:
  LinkPieces(Vxi11Resource& resource, const ReadSettings& settings, uint32_t* error)
      : resource_(resource), settings_(settings), error_(error) {}

  std::optional<Piece> NextPiece(size_t wanted, Deadline deadline) override {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    auto timeoutMs = static_cast<uint32_t>(std::max<int64_t>(left.count(), 0));
    XdrWriter args;
    args.U32(resource_.link_).U32(static_cast<uint32_t>(wanted)).U32(timeoutMs).U32(0);
    args.U32(settings_.termCharEnabled ? vxi11::kTermCharSet : 0);
    args.U32(static_cast<uint8_t>(settings_.termChar));
    std::optional<RpcReply> reply = Succeeded(resource_.core_->Call(
        vxi11::kCoreProgram, vxi11::kVersion, vxi11::kDeviceRead, args.Bytes(),
        RpcTimeout(timeoutMs)));
    if (!reply) return std::nullopt;
    XdrReader results(reply->results);
    *error_ = results.U32();
    uint32_t reason = results.U32();
    std::string data = results.Opaque();
    if (!results.Ok() || *error_ != vxi11::kNoError) return std::nullopt;
    return Piece{data, (reason & vxi11::kReasonEnd) != 0};
  }

 private:
  Vxi11Resource& resource_;
  const ReadSettings& settings_;
  uint32_t* error_;
};

Vxi11Resource::Vxi11Resource(ResourceConfig config, std::unique_ptr<tgqnet::RpcClient> core,
                             uint32_t link, uint32_t maxRecvSize)
    : config_(std::move(config)), core_(std::move(core)), link_(link), maxRecvSize_(maxRecvSize) {}

std::unique_ptr<Vxi11Resource> Vxi11Resource::Open(std::string_view name, ViUInt32 timeoutMs) {
  std::optional<LanAddress> address = ParseLanName(name);
  if (!address) return nullptr;
  int rpcTimeout = static_cast<int>(timeoutMs);
  tgqnet::RpcClient portmap(address->host, vxi11::kPortmapPort, rpcTimeout);
  XdrWriter question;
  question.U32(vxi11::kCoreProgram).U32(vxi11::kVersion).U32(vxi11::kProtocolTcp).U32(0);
  std::optional<RpcReply> port =
      Succeeded(portmap.Call(vxi11::kPortmapProgram, vxi11::kPortmapVersion, vxi11::kPortmapGetPort,
                             question.Bytes(), rpcTimeout));
  uint32_t corePort = port ? XdrReader(port->results).U32() : 0;
  if (corePort == 0 || corePort > UINT16_MAX) return nullptr;
  auto core =
      std::make_unique<tgqnet::RpcClient>(address->host, static_cast<uint16_t>(corePort), rpcTimeout);
  XdrWriter link;
  link.U32(kClientId).U32(0).U32(0).Opaque(address->device);
  std::optional<RpcReply> linked = Succeeded(core->Call(
      vxi11::kCoreProgram, vxi11::kVersion, vxi11::kCreateLink, link.Bytes(), rpcTimeout));
  if (!linked) return nullptr;
  XdrReader results(linked->results);
  uint32_t error = results.U32(), lid = results.U32();
  results.U32();  // the abort channel's port: a read is ended by its time-out instead
  uint32_t maxRecvSize = results.U32();
  if (!results.Ok() || error != vxi11::kNoError) return nullptr;
  // The name's defaults: interface TCPIP, END with the last byte.
  ConfigResult described = ParseMainframeConfig("resource " + std::string(name) + "\n");
  return std::unique_ptr<Vxi11Resource>(new Vxi11Resource(
      described.config.resources.at(0), std::move(core), lid, std::max<uint32_t>(maxRecvSize, 1)));
}

Vxi11Resource::~Vxi11Resource() {
  if (core_->Connected())
    core_->Call(vxi11::kCoreProgram, vxi11::kVersion, vxi11::kDestroyLink,
                XdrWriter().U32(link_).Bytes(), kReplyMarginMs);
}

ViStatus Vxi11Resource::StatusOf(uint32_t error) const {
  if (core_->Lost()) return VI_ERROR_CONN_LOST;
  if (error == vxi11::kIoTimeout) return VI_ERROR_TMO;
  return error == vxi11::kNoError ? VI_SUCCESS : VI_ERROR_IO;
}

ViStatus Vxi11Resource::Write(std::string_view data, const WriteSettings& settings,
                              ViUInt32* written, TrafficLog& log) {
  if (written) *written = 0;
  lastTimeoutMs_ = settings.timeoutMs;
  size_t sent = 0;
  uint32_t error = vxi11::kNoError;
  do {
    std::string_view chunk = data.substr(sent, maxRecvSize_);
    bool last = sent + chunk.size() == data.size();
    XdrWriter args;
    args.U32(link_).U32(settings.timeoutMs).U32(0);
    args.U32(last && settings.sendEnd ? vxi11::kEnd : 0).Opaque(chunk);
    std::optional<RpcReply> reply = Succeeded(core_->Call(
        vxi11::kCoreProgram, vxi11::kVersion, vxi11::kDeviceWrite, args.Bytes(),
        RpcTimeout(settings.timeoutMs)));
    const std::string resultBytes = reply ? reply->results : std::string();
    XdrReader results(resultBytes);
    error = results.U32();
    uint32_t size = results.U32();
    if (!reply || !results.Ok() || error != vxi11::kNoError || size == 0) break;
    sent += std::min<size_t>(size, chunk.size());
  } while (sent < data.size());
  if (written) *written = static_cast<ViUInt32>(sent);
  ViStatus status = sent == data.size() ? VI_SUCCESS : StatusOf(error);
  if (status == VI_SUCCESS && error != vxi11::kNoError) status = VI_ERROR_IO;
  if (status < VI_SUCCESS) {
    log.Record(status == VI_ERROR_CONN_LOST ? "lost" : "timeout", Name(), data);
    return status;
  }
  for (std::string_view message : Split(data, '\n')) log.Record("write", Name(), message);
  return VI_SUCCESS;
}

ViStatus Vxi11Resource::Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings,
                             ViUInt32* read, TrafficLog& log) {
  lastTimeoutMs_ = settings.timeoutMs;
  uint32_t error = vxi11::kNoError;
  LinkPieces pieces(*this, settings, &error);
  ReadOutcome outcome = reader_.Read(pieces, count, settings);
  std::memcpy(buffer, outcome.bytes.data(), outcome.bytes.size());
  if (read) *read = static_cast<ViUInt32>(outcome.bytes.size());
  if (!outcome.bytes.empty()) log.Record("read", Name(), outcome.bytes);
  if (outcome.status != VI_ERROR_TMO) return outcome.status;
  // The reader's own deadline passed, or the instrument answered an error.
  ViStatus status = error == vxi11::kNoError && !core_->Lost() ? VI_ERROR_TMO : StatusOf(error);
  log.Record(status == VI_ERROR_CONN_LOST ? "lost" : "timeout", Name());
  return status;
}

ViStatus Vxi11Resource::Generic(uint32_t procedure, ViUInt32 timeoutMs, std::string* results) {
  XdrWriter args;
  args.U32(link_).U32(0).U32(0).U32(timeoutMs);
  std::optional<RpcReply> reply = Succeeded(core_->Call(
      vxi11::kCoreProgram, vxi11::kVersion, procedure, args.Bytes(), RpcTimeout(timeoutMs)));
  if (!reply) return core_->Lost() ? VI_ERROR_CONN_LOST : VI_ERROR_IO;
  XdrReader reader(reply->results);
  uint32_t error = reader.U32();
  if (results) *results = std::string(reader.Rest());
  return reader.Ok() ? StatusOf(error) : VI_ERROR_IO;
}

void Vxi11Resource::Clear(TrafficLog& log) {
  reader_.Discard();
  ViStatus status = Generic(vxi11::kDeviceClear, lastTimeoutMs_, nullptr);
  log.Record(status == VI_SUCCESS ? "clear" : "lost", Name());
}

ViStatus Vxi11Resource::ReadStb(ViUInt16* status, TrafficLog& log) {
  std::string results;
  ViStatus outcome = Generic(vxi11::kDeviceReadStb, lastTimeoutMs_, &results);
  if (outcome != VI_SUCCESS) return outcome;
  *status = static_cast<ViUInt16>(XdrReader(results).U32() & 0xFF);
  log.Record("stb", Name(), std::to_string(*status));
  return VI_SUCCESS;
}

ViStatus Vxi11Resource::AssertTrigger(TrafficLog& log) {
  ViStatus status = Generic(vxi11::kDeviceTrigger, lastTimeoutMs_, nullptr);
  if (status == VI_SUCCESS) log.Record("trigger", Name());
  return status;
}

}  // namespace tgqsim
