// The raw SCPI socket server: one thread, one instrument shared by up to
// maxClients connections, each message answered on the connection that sent
// it. Every event is logged as one line: "listening RESOURCE at ADDRESS:PORT",
// "connect ID PEER", "write ID MESSAGE", "read ID REPLY", "timeout ID
// MESSAGE", "stall ID SENT", "drop ID WHY", "discard ID PARTIAL", "idle ID",
// "close ID", "refuse PEER", "stop".
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <list>
#include <string>
#include <string_view>

#include "netsim/message_assembler.h"
#include "netsim/net_instrument.h"
#include "netsim/net_options.h"
#include "sockets/socket_io.h"

namespace tgqnet {

// Receives each event line, without a line feed.
using EventLog = std::function<void(const std::string&)>;

class NetServer {
 public:
  NetServer(const NetOptions& options, NetInstrument& instrument, EventLog log);
  ~NetServer();
  NetServer(const NetServer&) = delete;
  NetServer& operator=(const NetServer&) = delete;

  // Opens the listening socket; false, with the reason logged, when it cannot.
  bool Start();
  uint16_t Port() const { return port_; }
  // Serves until the lifetime ends or Stop() is called.
  void Run();
  void Stop() { stop_ = true; }
  // Drops every client's connection at the next look, as a pulled cable
  // would; safe to call from a signal handler.
  void DropAllClients() { dropAll_ = true; }

 private:
  using Clock = std::chrono::steady_clock;
  struct Client {
    SocketHandle socket;
    int id;
    MessageAssembler messages;
    Clock::time_point lastInput;
    bool done = false;
  };

  void AcceptClient();
  void ReadFrom(Client& client);
  // False when the connection ends with this message.
  bool Answer(Client& client, const std::string& message);
  void Log(std::string_view event, std::string_view text);
  void Log(std::string_view event, int id, std::string_view text = {});

  NetOptions options_;
  NetInstrument& instrument_;
  EventLog log_;
  SocketHandle listener_ = kNoSocket;
  uint16_t port_ = 0;
  std::list<Client> clients_;
  int nextId_ = 1;
  std::atomic<bool> stop_{false};
  std::atomic<bool> dropAll_{false};
  void DropClientsIfAsked();
};

}  // namespace tgqnet
