#include "visa-sim/visa/net_resource.h"

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "visa-sim/model/text_util.h"
#include "visa-sim/visa/visa_status_extra.h"

namespace tgqsim {

namespace {

constexpr int kLargestReceive = 4096;
constexpr int kFlushRounds = 64;  // a flush reads at most this many pieces

struct SocketAddress {
  std::string host;
  uint16_t port;
};

// "TCPIP[board]::host::port::SOCKET", ignoring case.
std::optional<SocketAddress> ParseSocketName(std::string_view name) {
  std::vector<std::string_view> fields;
  for (size_t at; (at = name.find("::")) != std::string_view::npos; name.remove_prefix(at + 2))
    fields.push_back(name.substr(0, at));
  fields.push_back(name);
  if (fields.size() != 4 || !StartsWithIgnoringCase(fields[0], "TCPIP") ||
      !EqualsIgnoringCase(fields[3], "SOCKET") || fields[1].empty())
    return std::nullopt;
  std::string board(fields[0].substr(5)), port(fields[2]);
  char* end = nullptr;
  long number = std::strtol(port.c_str(), &end, 10);
  if (board.find_first_not_of("0123456789") != std::string::npos || port.empty() || *end ||
      number < 1 || number > 65535)
    return std::nullopt;
  return SocketAddress{std::string(fields[1]), static_cast<uint16_t>(number)};
}

// The bytes the peer sends, as they arrive; none after the deadline, none
// once the peer has gone.
class SocketPieces : public PieceSource {
 public:
  SocketPieces(tgqnet::SocketHandle socket, bool& lost) : socket_(socket), lost_(lost) {}

  std::optional<Piece> NextPiece(size_t /*wanted*/, Deadline deadline) override {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (lost_ || tgqnet::WaitReadable({socket_}, static_cast<int>(left.count())).empty())
      return std::nullopt;
    char buffer[kLargestReceive];
    int received = tgqnet::Receive(socket_, buffer, sizeof buffer);
    if (received <= 0) {
      lost_ = true;
      return std::nullopt;
    }
    return Piece{std::string(buffer, static_cast<size_t>(received)), false};
  }

 private:
  tgqnet::SocketHandle socket_;
  bool& lost_;
};

}  // namespace

std::unique_ptr<NetResource> NetResource::Open(std::string_view name, ViUInt32 timeoutMs) {
  std::optional<SocketAddress> address = ParseSocketName(name);
  if (!address) return nullptr;
  tgqnet::SocketHandle socket =
      tgqnet::Connect(address->host, address->port, static_cast<int>(timeoutMs));
  if (socket == tgqnet::kNoSocket) return nullptr;
  // The name's defaults: interface TCPIP, no END.
  ConfigResult described = ParseMainframeConfig("resource " + std::string(name) + "\n");
  return std::unique_ptr<NetResource>(new NetResource(described.config.resources.at(0), socket));
}

NetResource::~NetResource() { tgqnet::CloseSocket(socket_); }

ViStatus NetResource::Write(std::string_view data, const WriteSettings& settings,
                            ViUInt32* written, TrafficLog& log) {
  if (written) *written = 0;
  if (lost_ || !tgqnet::SendAll(socket_, data, static_cast<int>(settings.timeoutMs))) {
    lost_ = true;
    log.Record("lost", Name(), data);
    return VI_ERROR_CONN_LOST;
  }
  for (std::string_view message : Split(data, '\n')) log.Record("write", Name(), message);
  if (written) *written = static_cast<ViUInt32>(data.size());
  return VI_SUCCESS;
}

ViStatus NetResource::Read(ViByte* buffer, ViUInt32 count, const ReadSettings& settings,
                           ViUInt32* read, TrafficLog& log) {
  SocketPieces pieces(socket_, lost_);
  ReadOutcome outcome = reader_.Read(pieces, count, settings);
  std::memcpy(buffer, outcome.bytes.data(), outcome.bytes.size());
  if (read) *read = static_cast<ViUInt32>(outcome.bytes.size());
  if (!outcome.bytes.empty()) log.Record("read", Name(), outcome.bytes);
  if (outcome.status != VI_ERROR_TMO) return outcome.status;
  log.Record(lost_ ? "lost" : "timeout", Name());
  return lost_ ? VI_ERROR_CONN_LOST : VI_ERROR_TMO;
}

void NetResource::Clear(TrafficLog& log) {
  reader_.Discard();
  char buffer[kLargestReceive];
  for (int i = 0; i < kFlushRounds && !lost_ && !tgqnet::WaitReadable({socket_}, 0).empty(); ++i)
    lost_ = tgqnet::Receive(socket_, buffer, sizeof buffer) <= 0;
  log.Record("flush", Name());
}

}  // namespace tgqsim
