// The instrument's error queue: oldest first, a fixed depth, and -350
// "Queue overflow" as the last entry once it has overflowed.
#pragma once

#include <cstddef>
#include <deque>

#include "visa-sim/model/scpi_error.h"

namespace tgqsim {

class ErrorQueue {
 public:
  static constexpr size_t kDepth = 20;

  void Push(const ScpiError& error);
  // The oldest entry, removed; 0,"No error" when the queue is empty.
  ScpiError Pop();
  void Clear() { entries_.clear(); }
  size_t Size() const { return entries_.size(); }
  bool Empty() const { return entries_.empty(); }

 private:
  std::deque<ScpiError> entries_;
};

}  // namespace tgqsim
