// The VXI-11 server's RPC layer over calls recorded from pyvisa-py 0.5.1 and
// libtirpc: record marking, the port mapper, the core and abort channels.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "netsim/net_instrument.h"
#include "netsim/vxi11_core.h"
#include "sockets/rpc_message.h"
#include "sockets/xdr.h"
#include "visa-sim/model/mainframe_config.h"

namespace {

using std::chrono::milliseconds;
using tgqnet::XdrReader;
using tgqnet::XdrWriter;

std::string Bytes(std::string_view hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
  return bytes;
}

// pyvisa-py: create_link(client 1234, no lock, 10 s, "inst0") as call 7;
// device_write(link 1, END, "*IDN?\n") as call 8; device_read(link 1, 1024
// bytes, io_timeout 2000) as call 9.
const char kCreateLink[] =
    "80000040000000070000000000000002000607af000000010000000a00000000000000000000000000000000"
    "000004d2000000000000271000000005696e737430000000";
const char kWriteIdn[] =
    "80000044000000080000000000000002000607af000000010000000b00000000000000000000000000000000"
    "00000001000007d00000271000000008000000062a49444e3f0a0000";
const char kReadReply[] =
    "80000040000000090000000000000002000607af000000010000000c00000000000000000000000000000000"
    "0000000100000400000007d0000027100000000000000000";
// libtirpc: rpcbind version 4 GETADDR for the core program over "tcp", call 0x11.
const char kGetAddrV4[] =
    "800000400000001100000000000000020001 86a00000000400000003000000000000000000000000000000"
    "00000607af0000000100000003746370000000000000000000";

std::string Recorded(const char* hex) {
  std::string compact;
  for (const char* c = hex; *c; ++c)
    if (*c != ' ') compact += *c;
  return Bytes(compact);
}

// The reply expected: its words, then an opaque field when `opaque` is set.
struct Reply {
  Reply(std::vector<uint32_t> w, std::optional<std::string> o = std::nullopt)
      : words(std::move(w)), opaque(std::move(o)) {}
  std::vector<uint32_t> words;
  std::optional<std::string> opaque;
};

class Vxi11Rpc : public ::testing::Test {
 protected:
  Vxi11Rpc() { Restart(); }

  // A server just started: no links, no lock, no partial records.
  void Restart() {
    instrument_.emplace(Resource());
    core_.emplace(*instrument_, 256, [](const std::string&) {});
    core_->SetPorts({111, 4000, 4001});
    assemblers_.clear();
  }

  static tgqsim::ResourceConfig Resource() {
    return tgqsim::ParseMainframeConfig("resource TCPIP0::localhost::5025::SOCKET\n")
        .config.resources.at(0);
  }

  // The replies to the calls that the pieces complete on `connection`; a call
  // that waits gives an empty reply.
  std::vector<std::string> Feed(const std::vector<std::string>& pieces, int connection = 1,
                                milliseconds waited = milliseconds(0)) {
    std::vector<std::string> replies, records;
    tgqnet::RecordAssembler& assembler =
        assemblers_.try_emplace(connection, tgqnet::RecordAssembler(4096)).first->second;
    for (const std::string& piece : pieces) EXPECT_TRUE(assembler.Add(piece, &records));
    for (const std::string& record : records) {
      std::optional<tgqnet::RpcCall> call = tgqnet::ParseCall(record);
      if (call) replies.push_back(core_->Handle(connection, *call, waited).message);
    }
    return replies;
  }

  static void ExpectReply(const std::string& message, const Reply& expected) {
    XdrReader reader(message);
    std::vector<uint32_t> words;
    for (size_t i = 0; i < expected.words.size(); ++i) words.push_back(reader.U32());
    EXPECT_EQ(words, expected.words);
    if (expected.opaque) {
      EXPECT_EQ(reader.Opaque(), *expected.opaque);
    }
    EXPECT_TRUE(reader.Ok() && reader.Rest().empty()) << "a reply longer or shorter than expected";
  }

  std::optional<tgqnet::NetInstrument> instrument_;
  std::optional<tgqnet::Vxi11Core> core_;
  std::map<int, tgqnet::RecordAssembler> assemblers_;
};

// Accepted, null verifier, then the status.
std::vector<uint32_t> Accepted(uint32_t xid, uint32_t stat, std::vector<uint32_t> results = {}) {
  std::vector<uint32_t> words{xid, 1, 0, 0, 0, stat};
  words.insert(words.end(), results.begin(), results.end());
  return words;
}

const Reply kLinked{Accepted(7, 0, {0, 1, 4001, 1024})};

TEST_F(Vxi11Rpc, RecordedCallsInAnyCutGetTheirRepliesInOrder) {
  std::string link = Recorded(kCreateLink);
  std::string body = link.substr(4);
  // The same record as two fragments: 16 bytes, then the rest with the last-fragment bit.
  std::string fragmented = Bytes("00000010") + body.substr(0, 16) + Bytes("80000030") + body.substr(16);
  std::string wrongProgram = link, wrongVersion = link, unknownProcedure = link;
  wrongProgram[19] = '\xb1';
  wrongVersion[23] = 2;
  unknownProcedure[27] = 30;
  std::string truncated = Bytes("8000003c") + body.substr(0, 0x3c);  // the device name cut short
  std::string notVersion2 = link;
  notVersion2[15] = 3;
  struct Row {
    const char* name;
    std::vector<std::string> pieces;
    std::vector<Reply> replies;
  };
  for (const Row& row : std::vector<Row>{
           {"whole", {link}, {kLinked}},
           {"cut in the mark and the body", {link.substr(0, 2), link.substr(2, 28), link.substr(30)},
            {kLinked}},
           {"two fragments", {fragmented}, {kLinked}},
           {"three calls in one piece",
            {link + Recorded(kWriteIdn) + Recorded(kReadReply)},
            {kLinked, {Accepted(8, 0, {0, 6})},
             {Accepted(9, 0, {0, 4}), "TARROWS-GIMBELL,Q3207,0,A.01.00\n"}}},
           {"wrong program", {wrongProgram}, {{Accepted(7, 1)}}},
           {"wrong version", {wrongVersion}, {{Accepted(7, 2, {1, 1})}}},
           {"unknown procedure", {unknownProcedure}, {{Accepted(7, 3)}}},
           {"arguments cut short", {truncated}, {{Accepted(7, 4)}}},
           {"RPC version 3: no reply", {notVersion2}, {}},
           {"port mapper version 4", {Recorded(kGetAddrV4)}, {{Accepted(0x11, 2, {2, 2})}}},
       }) {
    SCOPED_TRACE(row.name);
    Restart();
    std::vector<std::string> replies = Feed(row.pieces);
    ASSERT_EQ(replies.size(), row.replies.size());
    for (size_t i = 0; i < replies.size(); ++i) ExpectReply(replies[i], row.replies[i]);
  }
}

std::string Call(uint32_t xid, uint32_t program, uint32_t version, uint32_t procedure,
                 const XdrWriter& args) {
  return tgqnet::FrameRecord(tgqnet::CallMessage({xid, program, version, procedure, args.Bytes()}));
}

TEST_F(Vxi11Rpc, PortMapperNamesTheCoreAndAbortPortsOverTcpOnly) {
  auto getPort = [](uint32_t program, uint32_t protocol) {
    return Call(3, 100000, 2, 3, XdrWriter().U32(program).U32(1).U32(protocol).U32(0));
  };
  std::vector<std::string> replies = Feed({getPort(0x0607AF, 6), getPort(0x0607B0, 6),
                                           getPort(0x0607AF, 17), getPort(0x0607B1, 6)});
  ASSERT_EQ(replies.size(), 4u);
  for (auto [i, port] : std::vector<std::pair<size_t, uint32_t>>{{0, 4000}, {1, 4001}, {2, 0}, {3, 0}})
    ExpectReply(replies[i], {Accepted(3, 0, {port})});
}

TEST_F(Vxi11Rpc, LocksHoldAcrossLinksAndGoWithTheirConnection) {
  Feed({Recorded(kCreateLink)}, 1);
  Feed({Recorded(kCreateLink)}, 2);  // link 2
  auto lock = [](uint32_t lid, uint32_t flags) {
    return Call(20, 0x0607AF, 1, 18, XdrWriter().U32(lid).U32(flags).U32(500));
  };
  auto error = [](uint32_t code) { return Reply{Accepted(20, 0, {code})}; };
  std::string unlock2 = Call(20, 0x0607AF, 1, 19, XdrWriter().U32(2));
  std::string write2 =
      Call(20, 0x0607AF, 1, 11, XdrWriter().U32(2).U32(100).U32(0).U32(8).Opaque("FREQ 7"));
  ExpectReply(Feed({lock(1, 0)}, 1).at(0), error(0));
  ExpectReply(Feed({lock(2, 0)}, 2).at(0), error(11));
  EXPECT_EQ(Feed({lock(2, 1)}, 2, milliseconds(499)).at(0), "") << "waits up to lock_timeout";
  ExpectReply(Feed({lock(2, 1)}, 2, milliseconds(500)).at(0), error(11));
  ExpectReply(Feed({unlock2}, 2).at(0), error(12));
  ExpectReply(Feed({write2}, 2).at(0), {Accepted(20, 0, {11, 0})});
  core_->Disconnect(1);
  ExpectReply(Feed({lock(2, 0)}, 2).at(0), error(0));
  ExpectReply(Feed({unlock2}, 2).at(0), error(0));
  ExpectReply(Feed({lock(1, 0)}, 2).at(0), error(4));
}

TEST_F(Vxi11Rpc, ReadsEndAtTheRequestEndOrTimeOutOrAbort) {
  Feed({Recorded(kCreateLink), Recorded(kWriteIdn)});
  auto read = [](uint32_t size, uint32_t flags = 0, char term = 0) {
    return Call(30, 0x0607AF, 1, 12,
                XdrWriter().U32(1).U32(size).U32(1000).U32(0).U32(flags).U32(uint8_t(term)));
  };
  ExpectReply(Feed({read(10)}).at(0), {Accepted(30, 0, {0, 1}), "TARROWS-GI"});
  ExpectReply(Feed({read(100, 0x80, ',')}).at(0), {Accepted(30, 0, {0, 2}), "MBELL,"});
  ExpectReply(Feed({read(100)}).at(0), {Accepted(30, 0, {0, 4}), "Q3207,0,A.01.00\n"});
  EXPECT_EQ(Feed({read(100)}, 1, milliseconds(999)).at(0), "");
  ExpectReply(Feed({read(100)}, 1, milliseconds(1000)).at(0), {Accepted(30, 0, {15, 0}), ""});
  EXPECT_EQ(Feed({read(100)}).at(0), "");
  ExpectReply(Feed({Call(31, 0x0607B0, 1, 1, XdrWriter().U32(1))}, 2).at(0),
              {Accepted(31, 0, {0})});
  ExpectReply(Feed({read(100)}).at(0), {Accepted(30, 0, {23, 0}), ""});
}

}  // namespace
