#include "netsim/net_server.h"

#include <vector>

namespace tgqnet {

namespace {

constexpr int kPollMs = 200;         // how often the lifetime and idle times are looked at
constexpr int kSendTimeoutMs = 5000;  // a client that reads nothing is dropped after this

std::string_view WithoutLineFeed(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  return text;
}

}  // namespace

NetServer::NetServer(const NetOptions& options, NetInstrument& instrument, EventLog log)
    : options_(options), instrument_(instrument), log_(std::move(log)) {}

NetServer::~NetServer() {
  for (Client& client : clients_) CloseSocket(client.socket);
  CloseSocket(listener_);
}

bool NetServer::Start() {
  std::string error;
  listener_ = Listen(options_.bindAddress, options_.port, &error);
  if (listener_ == kNoSocket) {
    Log("error", error);
    return false;
  }
  port_ = LocalPort(listener_);
  Log("listening", instrument_.Name() + " at " + options_.bindAddress + ":" + std::to_string(port_));
  return true;
}

void NetServer::Run() {
  const Clock::time_point end = Clock::now() + std::chrono::seconds(options_.lifetimeSeconds);
  const auto idleLimit = std::chrono::seconds(options_.idleSeconds);
  while (!stop_ && (options_.lifetimeSeconds == 0 || Clock::now() < end)) {
    std::vector<SocketHandle> watched{listener_};
    for (const Client& client : clients_) watched.push_back(client.socket);
    DropClientsIfAsked();
    for (SocketHandle ready : WaitReadable(watched, kPollMs)) {
      if (ready == listener_) {
        AcceptClient();
        continue;
      }
      for (Client& client : clients_)
        if (client.socket == ready) ReadFrom(client);
    }
    for (Client& client : clients_) {
      if (client.done || Clock::now() - client.lastInput < idleLimit) continue;
      Log("idle", client.id);
      client.done = true;
    }
    clients_.remove_if([](const Client& client) {
      if (client.done) CloseSocket(client.socket);
      return client.done;
    });
  }
  Log("stop", "");
}

void NetServer::AcceptClient() {
  std::string peer;
  SocketHandle socket = Accept(listener_, &peer);
  if (socket == kNoSocket) return;
  if (static_cast<int>(clients_.size()) >= options_.maxClients) {
    Log("refuse", peer);
    CloseSocket(socket);
    return;
  }
  clients_.push_back(Client{socket, nextId_++, MessageAssembler(options_.maxMessage), Clock::now()});
  Log("connect", clients_.back().id, peer);
}

void NetServer::ReadFrom(Client& client) {
  char buffer[4096];
  int received = Receive(client.socket, buffer, sizeof buffer);
  if (received <= 0) {
    // The client went, maybe in the middle of a message, which is never executed.
    if (!client.messages.Partial().empty()) Log("discard", client.id, client.messages.Partial());
    Log("close", client.id);
    client.done = true;
    return;
  }
  client.lastInput = Clock::now();
  std::vector<std::string> messages;
  bool withinBound = client.messages.Add(std::string_view(buffer, static_cast<size_t>(received)),
                                         &messages);
  for (const std::string& message : messages)
    if (!Answer(client, message)) return;
  if (!withinBound) {
    Log("drop", client.id, "message longer than " + std::to_string(options_.maxMessage) + " bytes");
    client.done = true;
  }
}

bool NetServer::Answer(Client& client, const std::string& message) {
  Exchange exchange = instrument_.Take(message);
  switch (exchange.fate) {
    case Fate::kDropped:
      Log("drop", client.id, message);
      client.done = true;
      return false;
    case Fate::kLost:
    case Fate::kUnanswered:
      Log("timeout", client.id, message);
      return true;
    case Fate::kAnswered:
    case Fate::kStalled:
      break;
  }
  Log("write", client.id, message);
  if (exchange.reply.empty()) return true;
  Log(exchange.fate == Fate::kStalled ? "stall" : "read", client.id,
      WithoutLineFeed(exchange.reply));
  if (SendAll(client.socket, exchange.reply, kSendTimeoutMs)) return true;
  Log("drop", client.id, "the reply could not be sent");
  client.done = true;
  return false;
}

void NetServer::Log(std::string_view event, std::string_view text) {
  std::string line(event);
  if (!text.empty()) line += " " + std::string(text);
  log_(line);
}

void NetServer::Log(std::string_view event, int id, std::string_view text) {
  Log(event, std::to_string(id) + (text.empty() ? "" : " " + std::string(text)));
}

void NetServer::DropClientsIfAsked() {
  if (!dropAll_.exchange(false)) return;
  for (Client& client : clients_) {
    Log("drop", client.id, "every connection dropped on request");
    CloseSocket(client.socket);
  }
  clients_.clear();
}

}  // namespace tgqnet
