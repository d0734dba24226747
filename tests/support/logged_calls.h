// The I/O log's calls from a point of a test on, one line a call without its
// time: "Main: Frequency Enter | tgq3207_cmdReal | FREQ 2500000 |  | 0x00000000 success".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CLoggedCalls {
 public:
  CLoggedCalls();  // from the next call on
  std::vector<std::string> Lines() const;
  std::vector<double> DurationsMs() const;

 private:
  uint64_t m_first;
};
