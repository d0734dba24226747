// Plain TCP (and UDP) over IPv4 for the network simulator and the simulated VISA's
// SOCKET resources, on POSIX sockets or Winsock. Sockets block; every wait is
// bounded by select() or a send time-out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tgqnet {

#ifdef _WIN32
using SocketHandle = uintptr_t;
#else
using SocketHandle = int;
#endif
extern const SocketHandle kNoSocket;

// Winsock needs starting once per process; POSIX sockets need nothing.
bool StartSockets();
void CloseSocket(SocketHandle socket);

// A socket listening on address:port (port 0: a free one); kNoSocket and the
// reason in `error` when that fails.
SocketHandle Listen(const std::string& address, uint16_t port, std::string* error);
uint16_t LocalPort(SocketHandle socket);
// The next waiting connection and its peer as "address:port".
SocketHandle Accept(SocketHandle listener, std::string* peer);
// A connection to host:port made within timeoutMs; kNoSocket when refused,
// unreachable or late.
SocketHandle Connect(const std::string& host, uint16_t port, int timeoutMs);

// The sockets that have input (or a closed peer) within timeoutMs.
std::vector<SocketHandle> WaitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs);
// What recv() gives: bytes received, 0 when the peer closed, negative on error.
int Receive(SocketHandle socket, char* buffer, int size);
// Sends all of data; false when the connection fails or a send takes longer
// than timeoutMs (a peer that does not read).
bool SendAll(SocketHandle socket, std::string_view data, int timeoutMs);

// UDP, for the port mapper: a datagram socket bound to address:port.
SocketHandle BindUdp(const std::string& address, uint16_t port, std::string* error);
// An IPv4 address and port in host order.
struct UdpPeer {
  uint32_t address = 0;
  uint16_t port = 0;
};
// One datagram, its length (negative on error) and where it came from.
int ReceiveFrom(SocketHandle socket, char* buffer, int size, UdpPeer* from);
bool SendTo(SocketHandle socket, std::string_view datagram, const UdpPeer& to);

}  // namespace tgqnet
