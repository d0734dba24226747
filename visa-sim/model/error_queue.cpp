#include "visa-sim/model/error_queue.h"

namespace tgqsim {

void ErrorQueue::Push(const ScpiError& error) {
  if (entries_.size() < kDepth) {
    entries_.push_back(error);
    return;
  }
  // Full: the newest entry gives way to the overflow marker, once.
  if (entries_.back().code != kQueueOverflow.code) entries_.back() = kQueueOverflow;
}

ScpiError ErrorQueue::Pop() {
  if (entries_.empty()) return kNoError;
  ScpiError oldest = entries_.front();
  entries_.pop_front();
  return oldest;
}

}  // namespace tgqsim
