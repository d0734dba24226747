// The reading side of a session as vendor VISAs implement it. Bytes arrive
// from a transport in pieces, END perhaps with the last byte of one; viRead
// hands them out by VISA's rules: END ends a read with VI_SUCCESS, else the
// enabled termination character with VI_SUCCESS_TERM_CHAR, else a full
// buffer with VI_SUCCESS_MAX_CNT. Nothing else ends a read but the time-out.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "visa.h"

namespace tgqsim {

using Deadline = std::chrono::steady_clock::time_point;

// How a session reads: its time-out and its termination character.
struct ReadSettings {
  ViUInt32 timeoutMs;
  bool termCharEnabled;
  char termChar;
};

// Bytes that arrived together; `end` when END came with the last of them.
struct Piece {
  std::string bytes;
  bool end = false;
};

// Where a session's bytes come from: the simulated device or a network peer.
class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // The next piece that arrives before `deadline`, else nothing. `wanted` is
  // how many bytes the read can still take; a source may deliver fewer or
  // more (the reader keeps the rest for the next read).
  virtual std::optional<Piece> NextPiece(size_t wanted, Deadline deadline) = 0;
};

struct ReadOutcome {
  std::string bytes;
  // VI_SUCCESS, VI_SUCCESS_TERM_CHAR, VI_SUCCESS_MAX_CNT, or VI_ERROR_TMO
  // with the bytes that came before the time-out.
  ViStatus status = VI_SUCCESS;
};

class ReplyReader {
 public:
  // One viRead of at most `count` bytes.
  ReadOutcome Read(PieceSource& source, size_t count, const ReadSettings& settings);
  // Bytes that arrived and were not read yet.
  bool HasUnread() const { return !unread_.empty(); }
  // Drops them, as a flush of the read buffer does.
  void Discard();

 private:
  // The read that the bytes at hand already complete, if any.
  std::optional<ReadOutcome> Complete(size_t count, const ReadSettings& settings);
  ReadOutcome Take(size_t length, ViStatus status);

  std::string unread_;
  // Offsets into unread_ just past each byte that came with END.
  std::vector<size_t> ends_;
};

}  // namespace tgqsim
