#include "netsim/vxi11_core.h"

#include "sockets/vxi11_protocol.h"
#include "sockets/xdr.h"
#include "visa-sim/model/text_util.h"

namespace tgqnet {

using namespace vxi11;
using std::chrono::milliseconds;

namespace {
constexpr size_t kMaxDeviceName = 64;
constexpr size_t kMaxSrqHandle = 40;
constexpr uint8_t kMessageAvailable = 0x10;

std::string WithoutLineFeed(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  return std::string(text);
}
}  // namespace

struct Vxi11Core::Call {
  const RpcCall& rpc;
  XdrReader args;
  int connection;
  milliseconds waited;

  CoreAnswer Reply(XdrWriter& results) const {
    return {CoreAnswer::kReply, ReplyMessage(rpc.xid, AcceptStat::kSuccess, results.Bytes())};
  }
  // The procedure's reply with the error and its other fields empty.
  CoreAnswer Error(uint32_t error) const {
    XdrWriter w;
    w.U32(error);
    if (rpc.procedure == kDeviceWrite || rpc.procedure == kDeviceReadStb) w.U32(0);
    if (rpc.procedure == kDeviceRead) w.U32(0).Opaque({});
    if (rpc.procedure == kDeviceDocmd) w.Opaque({});
    return Reply(w);
  }
  // GARBAGE_ARGS when the arguments could not be read, else nothing.
  std::optional<CoreAnswer> Garbage() const {
    if (args.Ok()) return std::nullopt;
    return CoreAnswer{CoreAnswer::kReply, ReplyMessage(rpc.xid, AcceptStat::kGarbageArgs)};
  }
  // Whether a wait that began with the call has lasted `limitMs`.
  bool Waited(uint32_t limitMs) const { return waited >= milliseconds(limitMs); }
};

Vxi11Core::Vxi11Core(NetInstrument& instrument, size_t maxMessage, EventLog log)
    : instrument_(instrument), maxMessage_(maxMessage), log_(std::move(log)) {}

CoreAnswer Vxi11Core::Handle(int connection, const RpcCall& rpc, milliseconds waited) {
  if (rpc.program == kPortmapProgram) return {CoreAnswer::kReply, AnswerPortmap(rpc, ports_)};
  if (rpc.program != kCoreProgram && rpc.program != kAbortProgram)
    return {CoreAnswer::kReply, ReplyMessage(rpc.xid, AcceptStat::kProgUnavail)};
  if (rpc.version != kVersion)
    return {CoreAnswer::kReply, ProgMismatchMessage(rpc.xid, kVersion, kVersion)};
  Call call{rpc, XdrReader(rpc.arguments), connection, waited};
  if (rpc.program == kCoreProgram) return Core(call);
  if (rpc.procedure != kDeviceAbort)
    return {CoreAnswer::kReply, ReplyMessage(rpc.xid, AcceptStat::kProcUnavail)};
  uint32_t lid = call.args.U32();
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  return call.Error(Abort(lid));
}

CoreAnswer Vxi11Core::Core(Call& call) {
  uint32_t procedure = call.rpc.procedure;
  if (procedure == kCreateLink) return CreateLink(call);
  if (procedure == kCreateIntrChan || procedure == kDestroyIntrChan) {
    std::string request(call.args.Rest());
    if (procedure == kCreateIntrChan)
      interruptChannels_[call.connection] = request;
    else
      interruptChannels_.erase(call.connection);
    return call.Error(kNoError);
  }
  // Between device_write and destroy_link every number but 21 names a procedure.
  bool known = procedure >= kDeviceWrite && procedure <= kDestroyLink && procedure != kDeviceEnableSrq + 1;
  if (!known) return {CoreAnswer::kReply, ReplyMessage(call.rpc.xid, AcceptStat::kProcUnavail)};

  uint32_t lid = call.args.U32();
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  if (procedure == kDestroyLink || procedure == kDeviceUnlock) {
    if (procedure == kDestroyLink) return call.Error(DestroyLink(lid) ? kNoError : kInvalidLink);
    if (!links_.count(lid)) return call.Error(kInvalidLink);
    if (!locked_ || lockOwner_ != lid) return call.Error(kNoLockHeld);
    locked_ = false;
    Log("unlock", lid);
    return call.Error(kNoError);
  }
  auto found = links_.find(lid);
  if (procedure == kDeviceWrite || procedure == kDeviceRead || procedure == kDeviceLock) {
    if (found == links_.end()) return call.Error(kInvalidLink);
    if (procedure == kDeviceWrite) return Write(call, found->second, lid);
    if (procedure == kDeviceRead) return Read(call, found->second, lid);
    return Lock(call, lid);
  }
  if (procedure == kDeviceEnableSrq) {
    bool enable = call.args.U32() != 0;
    std::string handle = call.args.Opaque(kMaxSrqHandle);
    if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
    if (found == links_.end()) return call.Error(kInvalidLink);
    serviceRequests_[lid] = enable ? handle : std::string();
    return call.Error(kNoError);
  }
  // The generic operations: flags, lock_timeout, io_timeout (docmd has more).
  uint32_t flags = call.args.U32(), lockTimeout = call.args.U32();
  call.args.U32();
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  if (found == links_.end()) return call.Error(kInvalidLink);
  if (procedure == kDeviceDocmd) return call.Error(kNotSupported);
  if (locked_ && lockOwner_ != lid) {
    if ((flags & kWaitLock) && !call.Waited(lockTimeout)) return {CoreAnswer::kWait, {}};
    return call.Error(kLockedByAnother);
  }
  Link& link = found->second;
  switch (procedure) {
    case kDeviceReadStb: {
      uint8_t stb = instrument_.StatusByte();
      if (!link.output.empty()) stb |= kMessageAvailable;
      Log("stb", lid, std::to_string(stb));
      XdrWriter w;
      w.U32(kNoError).U32(stb);
      return call.Reply(w);
    }
    case kDeviceTrigger:
      instrument_.Trigger();
      Log("trigger", lid);
      break;
    case kDeviceClear:
      link.input = MessageAssembler(maxMessage_);
      link.output.clear();
      Log("clear", lid);
      break;
    default:  // remote and local: a LAN instrument has no front panel to lock out
      break;
  }
  return call.Error(kNoError);
}

CoreAnswer Vxi11Core::CreateLink(Call& call) {
  call.args.U32();  // the client's id
  bool lockDevice = call.args.U32() != 0;
  uint32_t lockTimeout = call.args.U32();
  std::string device = call.args.Opaque(kMaxDeviceName);
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  XdrWriter w;
  if (!tgqsim::EqualsIgnoringCase(device, "inst0")) {
    w.U32(kNotAccessible).U32(0).U32(ports_.abort).U32(kMaxRecvSize);
    return call.Reply(w);
  }
  if (lockDevice && locked_) {
    if (!call.Waited(lockTimeout)) return {CoreAnswer::kWait, {}};
    w.U32(kLockedByAnother).U32(0).U32(ports_.abort).U32(kMaxRecvSize);
    return call.Reply(w);
  }
  uint32_t lid = nextLid_++;
  links_.emplace(lid, Link{call.connection, MessageAssembler(maxMessage_), {}, true});
  Log("link", lid, std::to_string(call.connection) + " " + device);
  if (lockDevice) {
    locked_ = true;
    lockOwner_ = lid;
    Log("lock", lid);
  }
  w.U32(kNoError).U32(lid).U32(ports_.abort).U32(kMaxRecvSize);
  return call.Reply(w);
}

CoreAnswer Vxi11Core::Write(Call& call, Link& link, uint32_t lid) {
  call.args.U32();  // io_timeout: the instrument takes every message at once
  uint32_t lockTimeout = call.args.U32(), flags = call.args.U32();
  std::string data = call.args.Opaque(kMaxRecvSize);
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  if (locked_ && lockOwner_ != lid) {
    if ((flags & kWaitLock) && !call.Waited(lockTimeout)) return {CoreAnswer::kWait, {}};
    return call.Error(kLockedByAnother);
  }
  const auto received = static_cast<uint32_t>(data.size());
  // END ends a message as a line feed does.
  if (flags & kEnd) data += '\n';
  std::vector<std::string> messages;
  if (!link.input.Add(data, &messages)) {
    Log("drop", lid, "message longer than " + std::to_string(maxMessage_) + " bytes");
    link.input = MessageAssembler(maxMessage_);
    return call.Error(kIoError);
  }
  for (const std::string& message : messages) {
    Exchange exchange = instrument_.Take(message);
    switch (exchange.fate) {
      case Fate::kDropped:
        Log("drop", lid, message);
        return {CoreAnswer::kDropConnection, {}};
      case Fate::kLost:
      case Fate::kUnanswered:
        Log("timeout", lid, message);
        continue;
      case Fate::kAnswered:
      case Fate::kStalled:
        break;
    }
    Log("write", lid, message);
    if (exchange.fate == Fate::kStalled) Log("stall", lid, exchange.reply);
    link.output += exchange.reply;
    link.outputEnds = exchange.fate == Fate::kAnswered;
  }
  XdrWriter w;
  w.U32(kNoError).U32(received);
  return call.Reply(w);
}

CoreAnswer Vxi11Core::Read(Call& call, Link& link, uint32_t lid) {
  uint32_t requestSize = call.args.U32(), ioTimeout = call.args.U32();
  uint32_t lockTimeout = call.args.U32(), flags = call.args.U32();
  char termChar = static_cast<char>(call.args.U32());
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  if (link.aborted) {
    link.aborted = link.reading = false;
    Log("abort", lid);
    return call.Error(kAbort);
  }
  if (locked_ && lockOwner_ != lid) {
    if ((flags & kWaitLock) && !call.Waited(lockTimeout)) return {CoreAnswer::kWait, {}};
    return call.Error(kLockedByAnother);
  }
  if (link.output.empty()) {
    link.reading = !call.Waited(ioTimeout);
    if (link.reading) return {CoreAnswer::kWait, {}};
    Log("timeout", lid);
    return call.Error(kIoTimeout);
  }
  link.reading = false;
  size_t length = std::min<size_t>(requestSize, link.output.size());
  uint32_t reason = 0;
  size_t termAt = (flags & kTermCharSet) ? link.output.find(termChar) : std::string::npos;
  if (termAt < length) {
    length = termAt + 1;
    reason = kReasonTermChar;
  }
  std::string data = link.output.substr(0, length);
  link.output.erase(0, length);
  if (link.output.empty() && link.outputEnds)
    reason |= kReasonEnd;
  else if (reason == 0 && length == requestSize)
    reason = kReasonRequestCount;
  Log("read", lid, WithoutLineFeed(data));
  XdrWriter w;
  return call.Reply(w.U32(kNoError).U32(reason).Opaque(data));
}

CoreAnswer Vxi11Core::Lock(Call& call, uint32_t lid) {
  uint32_t flags = call.args.U32(), lockTimeout = call.args.U32();
  if (std::optional<CoreAnswer> garbage = call.Garbage()) return *garbage;
  if (locked_ && lockOwner_ != lid) {
    if ((flags & kWaitLock) && !call.Waited(lockTimeout)) return {CoreAnswer::kWait, {}};
    return call.Error(kLockedByAnother);
  }
  locked_ = true;
  lockOwner_ = lid;
  Log("lock", lid);
  return call.Error(kNoError);
}

uint32_t Vxi11Core::Abort(uint32_t lid) {
  auto found = links_.find(lid);
  if (found == links_.end()) return kInvalidLink;
  // Only a read that waits can be ended; an abort at any other time does nothing.
  if (found->second.reading) found->second.aborted = true;
  return kNoError;
}

bool Vxi11Core::DestroyLink(uint32_t lid) {
  if (!links_.erase(lid)) return false;
  serviceRequests_.erase(lid);
  if (locked_ && lockOwner_ == lid) locked_ = false;
  Log("unlink", lid);
  return true;
}

void Vxi11Core::Disconnect(int connection) {
  interruptChannels_.erase(connection);
  std::vector<uint32_t> owned;
  for (const auto& [lid, link] : links_)
    if (link.connection == connection) owned.push_back(lid);
  for (uint32_t lid : owned) DestroyLink(lid);
}

void Vxi11Core::Log(std::string_view event, uint32_t lid, std::string_view text) {
  std::string line = std::string(event) + " L" + std::to_string(lid);
  if (!text.empty()) line += " " + std::string(text);
  log_(line);
}

}  // namespace tgqnet
