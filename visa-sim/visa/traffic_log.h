// The I/O events of every resource, one line each ("write GPIB-VXI0::24::INSTR
// FREQ 1000"): kept in memory for tests in the same process and appended to
// the file named by TGQ_SIM_TRAFFIC for tests in another.
#pragma once

#include <string>
#include <string_view>

namespace tgqsim {

class TrafficLog {
 public:
  void Record(std::string_view event, std::string_view resource);
  // Texts are logged without their line end (LF or CR LF).
  void Record(std::string_view event, std::string_view resource, std::string_view text);
  const std::string& Text() const { return text_; }
  void Clear() { text_.clear(); }

 private:
  void Add(std::string line);

  std::string text_;
};

}  // namespace tgqsim
