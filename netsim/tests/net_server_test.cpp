// The server on a free loopback port, in a thread of the test, with clients
// on real sockets.
#include "netsim/net_server.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "visa-sim/model/mainframe_config.h"

namespace {

using Lines = std::vector<std::string>;
using tgqnet::SocketHandle;

class NetServerTest : public ::testing::Test {
 protected:
  void Serve(const char* keys = "") {
    tgqsim::ConfigResult r = tgqsim::ParseMainframeConfig(
        std::string("resource TCPIP0::localhost::5025::SOCKET\n") + keys);
    ASSERT_EQ(r.badLine, 0) << r.problem;
    instrument_.emplace(r.config.resources.at(0));
    tgqnet::NetOptions options;
    options.port = 0;
    options.maxClients = 2;
    options.maxMessage = 64;
    options.idleSeconds = 1;
    options.lifetimeSeconds = 30;  // stops by itself should the test hang
    server_.emplace(options, *instrument_, [this](const std::string& line) {
      std::lock_guard<std::mutex> lock(mutex_);
      log_.push_back(line);
    });
    ASSERT_TRUE(server_->Start());
    thread_ = std::thread([this] { server_->Run(); });
  }

  void TearDown() override {
    for (SocketHandle s : clients_) tgqnet::CloseSocket(s);
    if (server_) server_->Stop();
    if (thread_.joinable()) thread_.join();
  }

  SocketHandle Client() {
    SocketHandle s = tgqnet::Connect("127.0.0.1", server_->Port(), 2000);
    EXPECT_NE(s, tgqnet::kNoSocket);
    clients_.push_back(s);
    return s;
  }

  // What the server sends until a line feed, the peer's close or 3 s of silence.
  static std::string ReadReply(SocketHandle s) {
    std::string reply;
    char c;
    while (reply.empty() || reply.back() != '\n') {
      if (tgqnet::WaitReadable({s}, 3000).empty() || tgqnet::Receive(s, &c, 1) != 1) break;
      reply += c;
    }
    return reply;
  }

  std::string Query(SocketHandle s, const std::string& message) {
    EXPECT_TRUE(tgqnet::SendAll(s, message + "\n", 2000));
    return ReadReply(s);
  }

  // The log once it holds `count` lines (at most 3 s later), without ports.
  Lines LogOf(size_t count) {
    for (int i = 0; i < 300 && Log().size() < count; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Lines lines = Log();
    for (std::string& line : lines)
      for (const char* event : {"listening ", "connect ", "refuse "})
        if (line.rfind(event, 0) == 0) line.erase(line.rfind(':'));
    return lines;
  }

  tgqnet::NetServer& Server() { return *server_; }
  tgqnet::NetInstrument& Instrument() { return *instrument_; }

  Lines Log() {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }

 private:
  std::optional<tgqnet::NetInstrument> instrument_;
  std::optional<tgqnet::NetServer> server_;
  std::thread thread_;
  std::mutex mutex_;
  Lines log_;
  std::vector<SocketHandle> clients_;
};

TEST_F(NetServerTest, AClientThatVanishesMidMessageLeavesTheInstrumentServing) {
  Serve();
  SocketHandle first = Client();
  EXPECT_EQ(Query(first, "FREQ 2000;:FREQ?"), "+2.00000000000000E+03\n");
  ASSERT_TRUE(tgqnet::SendAll(first, "FREQ 7", 2000));
  LogOf(4);
  tgqnet::CloseSocket(first);
  LogOf(6);
  SocketHandle second = Client();
  EXPECT_EQ(Query(second, "FREQ?"), "+2.00000000000000E+03\n");
  EXPECT_EQ(LogOf(9), (Lines{"listening TCPIP0::localhost::5025::SOCKET at 127.0.0.1", "connect 1 127.0.0.1", "write 1 FREQ 2000;:FREQ?",
                             "read 1 +2.00000000000000E+03", "discard 1 FREQ 7", "close 1",
                             "connect 2 127.0.0.1", "write 2 FREQ?",
                             "read 2 +2.00000000000000E+03"}));
}

TEST_F(NetServerTest, ConnectionsMessagesAndSilenceAreBounded) {
  Serve();
  SocketHandle first = Client(), second = Client();
  SocketHandle third = Client();  // one more than the server takes
  EXPECT_EQ(ReadReply(third), "");
  EXPECT_EQ(Query(second, std::string(64, ' ') + "*OPC?"), "");  // 69 bytes: too long
  EXPECT_EQ(Query(first, std::string(59, ' ') + "*OPC?"), "1\n");  // 64 bytes
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(ReadReply(first), "");  // closed after 1 s of silence
  EXPECT_EQ(LogOf(8), (Lines{"listening TCPIP0::localhost::5025::SOCKET at 127.0.0.1", "connect 1 127.0.0.1", "connect 2 127.0.0.1",
                             "refuse 127.0.0.1", "drop 2 message longer than 64 bytes",
                             "write 1 " + std::string(59, ' ') + "*OPC?", "read 1 1", "idle 1"}));
}

TEST_F(NetServerTest, NetworkFaultsDropTheConnectionOrStallTheReply) {
  Serve("drop-on *RST\nstall-on *IDN? 8\n");
  SocketHandle s = Client();
  ASSERT_TRUE(tgqnet::SendAll(s, "*IDN?\n", 2000));
  char buffer[64];
  std::string partial;
  for (int got = 1; got > 0 && partial.size() < 8 && !tgqnet::WaitReadable({s}, 2000).empty();)
    if ((got = tgqnet::Receive(s, buffer, sizeof buffer)) > 0) partial.append(buffer, got);
  EXPECT_EQ(partial, "TARROWS-");
  EXPECT_TRUE(tgqnet::WaitReadable({s}, 300).empty());  // and nothing more
  EXPECT_EQ(Query(s, "*RST"), "");
  EXPECT_EQ(tgqnet::Receive(s, buffer, sizeof buffer), 0);  // closed by the server
  EXPECT_EQ(LogOf(5), (Lines{"listening TCPIP0::localhost::5025::SOCKET at 127.0.0.1",
                             "connect 1 127.0.0.1", "write 1 *IDN?", "stall 1 TARROWS-",
                             "drop 1 *RST"}));
}

// A pulled cable: every client loses its connection, the instrument keeps its
// settings; switched on again, it reports the power-on event once.
TEST_F(NetServerTest, EveryConnectionDroppedAndThePowerOnEvent) {
  Serve();
  SocketHandle first = Client(), second = Client();
  EXPECT_EQ(Query(first, "FREQ 2000;*ESR?"), "0\n");
  Server().DropAllClients();
  char c;
  EXPECT_EQ(tgqnet::WaitReadable({second}, 2000).size(), 1u);
  EXPECT_EQ(tgqnet::Receive(second, &c, 1), 0);
  EXPECT_EQ(tgqnet::Receive(first, &c, 1), 0);
  Instrument().PowerOn();
  SocketHandle third = Client();
  EXPECT_EQ(Query(third, "*ESR?;FREQ?"), "128;+1.00000000000000E+03\n");
  EXPECT_EQ(Query(third, "*ESR?"), "0\n");
  Lines log = LogOf(7);
  ASSERT_GE(log.size(), 7u);
  EXPECT_EQ(log[5], "drop 1 every connection dropped on request");
  EXPECT_EQ(log[6], "drop 2 every connection dropped on request");
  tgqnet::OptionsResult parsed = tgqnet::ParseNetOptions({"--power-on", "--port", "5099"});
  ASSERT_TRUE(parsed.options.has_value()) << parsed.problem;
  EXPECT_TRUE(parsed.options->powerOn);
  EXPECT_EQ(parsed.options->port, 5099);
}

}  // namespace
