// The VXI-11 core and abort channels' procedures over the served instrument,
// and the port mapper that leads to them.
// Each link keeps its own input and output; the lock is one for all links;
// a connection's links and lock go with it. A call that must wait (a read
// with nothing to send, a lock held elsewhere) is asked again, with the time
// it has waited, until it can be answered.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "netsim/message_assembler.h"
#include "netsim/net_instrument.h"
#include "netsim/portmapper.h"
#include "sockets/rpc_message.h"

namespace tgqnet {

struct CoreAnswer {
  enum Kind { kReply, kWait, kDropConnection } kind = kReply;
  std::string message;  // the reply message when kind is kReply
};

class Vxi11Core {
 public:
  using EventLog = std::function<void(const std::string&)>;
  Vxi11Core(NetInstrument& instrument, size_t maxMessage, EventLog log);
  // The ports that the port mapper and create_link name.
  void SetPorts(const Vxi11Ports& ports) { ports_ = ports; }

  // A call that came on `connection`: for the port mapper, the core or the
  // abort channel.
  CoreAnswer Handle(int connection, const RpcCall& call, std::chrono::milliseconds waited);
  // The connection closed: its links and the lock they hold go.
  void Disconnect(int connection);

 private:
  struct Link {
    int connection;
    MessageAssembler input;
    std::string output;   // the replies not read yet
    bool outputEnds;      // END goes with the last byte of `output`
    bool reading = false; // a read waits on this link
    bool aborted = false;
  };
  struct Call;

  CoreAnswer Core(Call& call);
  CoreAnswer CreateLink(Call& call);
  CoreAnswer Write(Call& call, Link& link, uint32_t lid);
  CoreAnswer Read(Call& call, Link& link, uint32_t lid);
  CoreAnswer Lock(Call& call, uint32_t lid);
  uint32_t Abort(uint32_t lid);
  // Closes the link; false when there is none of that id.
  bool DestroyLink(uint32_t lid);
  void Log(std::string_view event, uint32_t lid, std::string_view text = {});

  NetInstrument& instrument_;
  size_t maxMessage_;
  Vxi11Ports ports_{};
  EventLog log_;
  std::map<uint32_t, Link> links_;
  uint32_t nextLid_ = 1;
  uint32_t lockOwner_ = 0;  // 0: nobody
  bool locked_ = false;
  // Interrupt channels and service requests asked for, kept but never used.
  std::map<int, std::string> interruptChannels_;
  std::map<uint32_t, std::string> serviceRequests_;
};

}  // namespace tgqnet
