#include "visa-sim/visa/reply_reader.h"

#include <algorithm>

namespace tgqsim {

std::optional<ReadOutcome> ReplyReader::Complete(size_t count, const ReadSettings& settings) {
  size_t available = std::min(count, unread_.size());
  for (size_t i = 0; i < available; ++i) {
    if (std::find(ends_.begin(), ends_.end(), i + 1) != ends_.end()) return Take(i + 1, VI_SUCCESS);
    if (settings.termCharEnabled && unread_[i] == settings.termChar)
      return Take(i + 1, VI_SUCCESS_TERM_CHAR);
  }
  if (unread_.size() >= count) return Take(count, VI_SUCCESS_MAX_CNT);
  return std::nullopt;
}

ReadOutcome ReplyReader::Take(size_t length, ViStatus status) {
  ReadOutcome outcome{unread_.substr(0, length), status};
  unread_.erase(0, length);
  std::vector<size_t> later;
  for (size_t end : ends_)
    if (end > length) later.push_back(end - length);
  ends_ = std::move(later);
  return outcome;
}

ReadOutcome ReplyReader::Read(PieceSource& source, size_t count, const ReadSettings& settings) {
  Deadline deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(settings.timeoutMs);
  for (;;) {
    if (std::optional<ReadOutcome> done = Complete(count, settings)) return *done;
    std::optional<Piece> piece = source.NextPiece(count - unread_.size(), deadline);
    if (!piece) return Take(unread_.size(), VI_ERROR_TMO);
    unread_ += piece->bytes;
    if (piece->end && !unread_.empty()) ends_.push_back(unread_.size());
  }
}

void ReplyReader::Discard() {
  unread_.clear();
  ends_.clear();
}

}  // namespace tgqsim
