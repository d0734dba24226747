// Cuts a client's byte stream into program messages at line feeds, with a
// carriage return before the line feed dropped, and a bound on their length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tgqnet {

class MessageAssembler {
 public:
  explicit MessageAssembler(size_t maxMessage) : maxMessage_(maxMessage) {}

  // Adds received bytes and appends the messages they complete (blank ones
  // skipped); false when a message grows longer than the bound.
  bool Add(std::string_view bytes, std::vector<std::string>* messages);
  // The start of a message whose line feed has not come yet.
  const std::string& Partial() const { return partial_; }

 private:
  size_t maxMessage_;
  std::string partial_;
};

}  // namespace tgqnet
