// ONC RPC (version 2) over TCP: record marking, calls and replies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tgqnet {

// Cuts a TCP byte stream into records: each is one or more fragments, a
// four-byte mark (top bit: last fragment; the rest: its length) before each.
class RecordAssembler {
 public:
  explicit RecordAssembler(size_t maxRecord) : maxRecord_(maxRecord) {}
  // Adds received bytes and appends the records they complete; false when a
  // record grows longer than the bound (the stream cannot be trusted after).
  bool Add(std::string_view bytes, std::vector<std::string>* records);

 private:
  size_t maxRecord_;
  std::string pending_;  // bytes of fragments not yet complete, marks included
  std::string record_;   // the fragments of the current record so far
};

// A whole message as one record of one fragment, mark first, ready to send
// in one write (over UDP a message goes without a mark).
std::string FrameRecord(std::string_view message);

enum class AcceptStat : uint32_t {
  kSuccess = 0,
  kProgUnavail = 1,
  kProgMismatch = 2,
  kProcUnavail = 3,
  kGarbageArgs = 4,
};

struct RpcCall {
  uint32_t xid = 0;
  uint32_t program = 0;
  uint32_t version = 0;
  uint32_t procedure = 0;
  std::string arguments;  // XDR, after the credentials and verifier
};

// The call a message holds; nothing when it is no version-2 call (such a
// message gets no reply).
std::optional<RpcCall> ParseCall(std::string_view message);
// A call with null credentials and verifier.
std::string CallMessage(const RpcCall& call);

// An accepted reply with a null verifier: `results` follow a success, the
// lowest and highest versions follow a program mismatch.
std::string ReplyMessage(uint32_t xid, AcceptStat stat, std::string_view results = {});
std::string ProgMismatchMessage(uint32_t xid, uint32_t low, uint32_t high);

struct RpcReply {
  AcceptStat stat;
  std::string results;
};
// The reply to call `xid` a message holds; nothing when it is none.
std::optional<RpcReply> ParseReply(std::string_view message, uint32_t xid);

}  // namespace tgqnet
