#include "netsim/vxi11_server.h"

#include "sockets/vxi11_protocol.h"

namespace tgqnet {

namespace {
constexpr int kIdlePollMs = 200;     // how often Stop() is looked at
constexpr int kWaitingPollMs = 10;   // how often waiting calls are asked again
constexpr int kSendTimeoutMs = 5000;
// A record longer than this is no call of ours: the largest is a write of
// maxRecvSize bytes with its headers.
constexpr size_t kMaxRecord = 64 * 1024;
constexpr int kMaxDatagram = 1500;

std::string DottedAddress(uint32_t address) {
  return std::to_string(address >> 24) + "." + std::to_string(address >> 16 & 255) + "." +
         std::to_string(address >> 8 & 255) + "." + std::to_string(address & 255);
}
}  // namespace

Vxi11Server::Vxi11Server(const Vxi11Options& options, NetInstrument& instrument,
                         std::function<void(const std::string&)> log)
    : options_(options), log_(log), core_(instrument, options.maxMessage, log) {}

Vxi11Server::~Vxi11Server() {
  for (Connection& connection : connections_) CloseSocket(connection.socket);
  for (SocketHandle s : {portmapTcp_, portmapUdp_, coreListener_, abortListener_}) CloseSocket(s);
}

bool Vxi11Server::Start() {
  std::string error;
  const std::string& address = options_.bindAddress;
  portmapTcp_ = Listen(address, options_.portmapPort, &error);
  if (portmapTcp_ != kNoSocket) {
    ports_.portmap = LocalPort(portmapTcp_);
    portmapUdp_ = BindUdp(address, ports_.portmap, &error);
  }
  if (portmapUdp_ != kNoSocket) coreListener_ = Listen(address, 0, &error);
  if (coreListener_ != kNoSocket) abortListener_ = Listen(address, 0, &error);
  if (abortListener_ == kNoSocket) {
    log_("vxi11 error " + error);
    return false;
  }
  ports_.core = LocalPort(coreListener_);
  ports_.abort = LocalPort(abortListener_);
  core_.SetPorts(ports_);
  log_("vxi11 listening inst0 at " + address + " portmap " + std::to_string(ports_.portmap) +
       " core " + std::to_string(ports_.core) + " abort " + std::to_string(ports_.abort));
  return true;
}

void Vxi11Server::Run() {
  while (!stop_) {
    std::vector<SocketHandle> watched{portmapTcp_, portmapUdp_, coreListener_, abortListener_};
    bool waiting = false;
    for (const Connection& connection : connections_) {
      watched.push_back(connection.socket);
      waiting = waiting || !connection.calls.empty();
    }
    for (SocketHandle ready : WaitReadable(watched, waiting ? kWaitingPollMs : kIdlePollMs)) {
      if (ready == portmapUdp_)
        AnswerDatagram();
      else if (ready == portmapTcp_ || ready == coreListener_ || ready == abortListener_)
        Accept(ready);
      else
        for (Connection& connection : connections_)
          if (connection.socket == ready) ReadFrom(connection);
    }
    for (Connection& connection : connections_)
      if (!connection.done) Serve(connection);
    connections_.remove_if([this](const Connection& connection) {
      if (!connection.done) return false;
      CloseSocket(connection.socket);
      core_.Disconnect(connection.id);
      log_("vxi11 close " + std::to_string(connection.id));
      return true;
    });
  }
}

void Vxi11Server::Accept(SocketHandle listener) {
  std::string peer;
  SocketHandle socket = tgqnet::Accept(listener, &peer);
  if (socket == kNoSocket) return;
  if (static_cast<int>(connections_.size()) >= options_.maxConnections) {
    log_("vxi11 refuse " + peer);
    CloseSocket(socket);
    return;
  }
  connections_.push_back(Connection{socket, nextId_++, RecordAssembler(kMaxRecord), {}, {}});
  log_("vxi11 connect " + std::to_string(connections_.back().id) + " " + peer);
}

void Vxi11Server::ReadFrom(Connection& connection) {
  char buffer[8192];
  int received = Receive(connection.socket, buffer, sizeof buffer);
  std::vector<std::string> records;
  if (received <= 0 ||
      !connection.records.Add(std::string_view(buffer, static_cast<size_t>(received)), &records)) {
    connection.done = true;
    return;
  }
  for (const std::string& record : records) {
    std::optional<RpcCall> call = ParseCall(record);
    if (!call) continue;  // no call, so nobody waits for a reply
    if (connection.calls.empty()) connection.firstArrived = Clock::now();
    connection.calls.push_back(std::move(*call));
  }
}

void Vxi11Server::Serve(Connection& connection) {
  while (!connection.calls.empty() && !connection.done) {
    std::optional<std::string> reply = Answer(connection, connection.calls.front());
    if (!reply) return;
    if (!SendAll(connection.socket, FrameRecord(*reply), kSendTimeoutMs)) connection.done = true;
    connection.calls.pop_front();
    connection.firstArrived = Clock::now();
  }
}

std::optional<std::string> Vxi11Server::Answer(Connection& connection, const RpcCall& call) {
  auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() -
                                                                      connection.firstArrived);
  CoreAnswer answer = core_.Handle(connection.id, call, waited);
  if (answer.kind == CoreAnswer::kDropConnection) connection.done = true;
  if (answer.kind != CoreAnswer::kReply) return std::nullopt;
  return answer.message;
}

void Vxi11Server::AnswerDatagram() {
  char buffer[kMaxDatagram];
  UdpPeer peer;
  int received = ReceiveFrom(portmapUdp_, buffer, sizeof buffer, &peer);
  if (received <= 0) return;
  std::optional<RpcCall> call = ParseCall(std::string_view(buffer, static_cast<size_t>(received)));
  if (!call) return;
  log_("vxi11 portmap-udp " + DottedAddress(peer.address) + ":" + std::to_string(peer.port));
  // Only the port mapper is served over UDP.
  std::string reply = call->program == vxi11::kPortmapProgram
                          ? AnswerPortmap(*call, ports_)
                          : ReplyMessage(call->xid, AcceptStat::kProgUnavail);
  SendTo(portmapUdp_, reply, peer);
}

}  // namespace tgqnet
