#include "sockets/socket_io.h"

#ifdef _WIN32
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>

namespace tgqnet {

#ifdef _WIN32
const SocketHandle kNoSocket = INVALID_SOCKET;
using SockLen = int;
constexpr int kSendFlags = 0;
#else
const SocketHandle kNoSocket = -1;
using SockLen = socklen_t;
constexpr int kSendFlags = MSG_NOSIGNAL;  // a vanished peer is an error, not a signal
#endif

namespace {

bool Resolve(const std::string& host, uint16_t port, sockaddr_in* address) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) return false;
  std::memcpy(address, found->ai_addr, sizeof *address);
  freeaddrinfo(found);
  address->sin_port = htons(port);
  return true;
}

void SetBlocking(SocketHandle socket, bool blocking) {
#ifdef _WIN32
  u_long nonBlocking = blocking ? 0 : 1;
  ioctlsocket(socket, FIONBIO, &nonBlocking);
#else
  int flags = fcntl(socket, F_GETFL, 0);
  fcntl(socket, F_SETFL, blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
#endif
}

timeval Timeval(int ms) { return timeval{ms / 1000, (ms % 1000) * 1000}; }

}  // namespace

bool StartSockets() {
#ifdef _WIN32
  static const bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
#else
  return true;
#endif
}

void CloseSocket(SocketHandle socket) {
  if (socket == kNoSocket) return;
#ifdef _WIN32
  closesocket(socket);
#else
  close(socket);
#endif
}

namespace {

SocketHandle BoundSocket(int type, const std::string& address, uint16_t port, std::string* error) {
  sockaddr_in local{};
  if (!StartSockets() || !Resolve(address, port, &local)) {
    *error = "cannot use the address " + address;
    return kNoSocket;
  }
  SocketHandle s = socket(AF_INET, type, type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP);
  if (s == kNoSocket) {
    *error = "no socket";
    return kNoSocket;
  }
#ifndef _WIN32
  // A restarted server takes its port back at once (Winsock would share it instead).
  int reuse = 1;
  setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
#endif
  if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
      (type == SOCK_STREAM && listen(s, 8) != 0)) {
    *error = "cannot listen on " + address + ":" + std::to_string(port);
    CloseSocket(s);
    return kNoSocket;
  }
  return s;
}

}  // namespace

SocketHandle Listen(const std::string& address, uint16_t port, std::string* error) {
  return BoundSocket(SOCK_STREAM, address, port, error);
}

SocketHandle BindUdp(const std::string& address, uint16_t port, std::string* error) {
  return BoundSocket(SOCK_DGRAM, address, port, error);
}

int ReceiveFrom(SocketHandle socket, char* buffer, int size, UdpPeer* from) {
  sockaddr_in remote{};
  SockLen length = sizeof remote;
  int received = static_cast<int>(
      recvfrom(socket, buffer, size, 0, reinterpret_cast<sockaddr*>(&remote), &length));
  from->address = ntohl(remote.sin_addr.s_addr);
  from->port = ntohs(remote.sin_port);
  return received;
}

bool SendTo(SocketHandle socket, std::string_view datagram, const UdpPeer& to) {
  sockaddr_in remote{};
  remote.sin_family = AF_INET;
  remote.sin_addr.s_addr = htonl(to.address);
  remote.sin_port = htons(to.port);
  return sendto(socket, datagram.data(), static_cast<int>(datagram.size()), 0,
                reinterpret_cast<sockaddr*>(&remote), sizeof remote) ==
         static_cast<int>(datagram.size());
}

uint16_t LocalPort(SocketHandle socket) {
  sockaddr_in local{};
  SockLen length = sizeof local;
  if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0) return 0;
  return ntohs(local.sin_port);
}

SocketHandle Accept(SocketHandle listener, std::string* peer) {
  sockaddr_in remote{};
  SockLen length = sizeof remote;
  SocketHandle client = accept(listener, reinterpret_cast<sockaddr*>(&remote), &length);
  if (client == kNoSocket) return kNoSocket;
  char host[64] = "?";
  getnameinfo(reinterpret_cast<sockaddr*>(&remote), length, host, sizeof host, nullptr, 0,
              NI_NUMERICHOST);
  *peer = std::string(host) + ":" + std::to_string(ntohs(remote.sin_port));
  return client;
}

SocketHandle Connect(const std::string& host, uint16_t port, int timeoutMs) {
  sockaddr_in remote{};
  if (!StartSockets() || !Resolve(host, port, &remote)) return kNoSocket;
  SocketHandle socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (socket == kNoSocket) return kNoSocket;
  SetBlocking(socket, false);
  connect(socket, reinterpret_cast<sockaddr*>(&remote), sizeof remote);
  fd_set writable, failed;
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(socket, &writable);
  FD_SET(socket, &failed);
  timeval wait = Timeval(timeoutMs);
  int error = 0;
  SockLen length = sizeof error;
  bool connected = select(static_cast<int>(socket + 1), nullptr, &writable, &failed, &wait) > 0 &&
                   FD_ISSET(socket, &writable) &&
                   getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error),
                              &length) == 0 &&
                   error == 0;
  if (!connected) {
    CloseSocket(socket);
    return kNoSocket;
  }
  SetBlocking(socket, true);
  return socket;
}

std::vector<SocketHandle> WaitReadable(const std::vector<SocketHandle>& sockets, int timeoutMs) {
  fd_set readable;
  FD_ZERO(&readable);
  SocketHandle highest = 0;
  for (SocketHandle s : sockets) {
    FD_SET(s, &readable);
    highest = std::max(highest, s);
  }
  timeval wait = Timeval(std::max(timeoutMs, 0));
  std::vector<SocketHandle> ready;
  if (select(static_cast<int>(highest + 1), &readable, nullptr, nullptr, &wait) <= 0) return ready;
  for (SocketHandle s : sockets)
    if (FD_ISSET(s, &readable)) ready.push_back(s);
  return ready;
}

int Receive(SocketHandle socket, char* buffer, int size) {
  return static_cast<int>(recv(socket, buffer, size, 0));
}

bool SendAll(SocketHandle socket, std::string_view data, int timeoutMs) {
#ifdef _WIN32
  DWORD limit = static_cast<DWORD>(timeoutMs);
#else
  timeval limit = Timeval(timeoutMs);
#endif
  setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
  while (!data.empty()) {
    int chunk = static_cast<int>(std::min<size_t>(data.size(), 1 << 16));
    int sent = static_cast<int>(send(socket, data.data(), chunk, kSendFlags));
    if (sent <= 0) return false;
    data.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

}  // namespace tgqnet
