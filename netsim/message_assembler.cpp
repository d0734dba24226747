#include "netsim/message_assembler.h"

#include "visa-sim/model/text_util.h"

namespace tgqnet {

bool MessageAssembler::Add(std::string_view bytes, std::vector<std::string>* messages) {
  for (char c : bytes) {
    if (c != '\n') {
      if (partial_.size() == maxMessage_) return false;
      partial_ += c;
      continue;
    }
    if (!partial_.empty() && partial_.back() == '\r') partial_.pop_back();
    if (!tgqsim::Trim(partial_).empty()) messages->push_back(partial_);
    partial_.clear();
  }
  return true;
}

}  // namespace tgqnet
