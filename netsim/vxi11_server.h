// The VXI-11 server: the port mapper on TCP and UDP, the core channel and
// the abort channel, each on its own port, all served by one thread over a
// Vxi11Core. Events are logged as the core logs them, plus "vxi11 listening
// ...", "vxi11 connect ID PEER", "vxi11 close ID", "vxi11 discover PEER".
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <optional>
#include <string>
#include <vector>

#include "netsim/net_instrument.h"
#include "netsim/portmapper.h"
#include "netsim/vxi11_core.h"
#include "sockets/rpc_message.h"
#include "sockets/socket_io.h"

namespace tgqnet {

struct Vxi11Options {
  std::string bindAddress;
  uint16_t portmapPort;
  size_t maxMessage;
  int maxConnections;
};

class Vxi11Server {
 public:
  Vxi11Server(const Vxi11Options& options, NetInstrument& instrument,
              std::function<void(const std::string&)> log);
  ~Vxi11Server();
  Vxi11Server(const Vxi11Server&) = delete;
  Vxi11Server& operator=(const Vxi11Server&) = delete;

  // Opens the four sockets; false, with the reason logged, when one cannot.
  bool Start();
  const Vxi11Ports& Ports() const { return ports_; }
  // Serves until Stop() is called (from another thread).
  void Run();
  void Stop() { stop_ = true; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Connection {
    SocketHandle socket;
    int id;
    RecordAssembler records;
    std::list<RpcCall> calls;  // arrived, not answered yet; the first may wait
    Clock::time_point firstArrived;
    bool done = false;
  };

  void Accept(SocketHandle listener);
  void ReadFrom(Connection& connection);
  // Answers the connection's calls in order until one must wait.
  void Serve(Connection& connection);
  void AnswerDatagram();
  std::optional<std::string> Answer(Connection& connection, const RpcCall& call);

  Vxi11Options options_;
  std::function<void(const std::string&)> log_;
  Vxi11Core core_;
  SocketHandle portmapTcp_ = kNoSocket, portmapUdp_ = kNoSocket;
  SocketHandle coreListener_ = kNoSocket, abortListener_ = kNoSocket;
  Vxi11Ports ports_{};
  std::list<Connection> connections_;
  int nextId_ = 1;
  std::atomic<bool> stop_{false};
};

}  // namespace tgqnet
