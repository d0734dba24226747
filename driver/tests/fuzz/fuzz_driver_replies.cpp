// Arbitrary instrument replies must parse without a crash: a real number that
// is never NaN, a 16-bit number that is whole, an error entry whose message is
// part of the reply; copies never pass their size and always end in a NUL.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "driver/reply_parsing.h"

namespace {

void Require(bool holds, const char* what, const std::string& reply) {
  if (holds) return;
  std::fprintf(stderr, "%s: reply \"%s\"\n", what, reply.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const size_t maxChars = input.ConsumeIntegralInRange<size_t>(0, 300);
  const std::string reply = input.ConsumeRemainingBytesAsString();

  if (std::optional<double> real = ParseReal(reply)) Require(!std::isnan(*real), "NaN real", reply);
  if (std::optional<int16_t> whole = ParseInt16(reply)) {
    const std::optional<double> real = ParseReal(reply);
    Require(real && *real == *whole, "16-bit value differs from the number", reply);
  }
  if (std::optional<CErrorEntry> entry = ParseErrorEntry(reply))
    Require(reply.find(entry->m_message) != std::string::npos, "message not in the reply", reply);

  // A guard byte past the destination catches a write beyond maxChars + 1.
  std::vector<char> dest(maxChars + 2, '\x7f');
  CopyTruncated(dest.data(), maxChars, reply);
  const std::string copied(dest.data());
  Require(copied.size() <= maxChars, "copy too long", reply);
  Require(dest[maxChars + 1] == '\x7f', "copy wrote past its size", reply);
  Require(reply.compare(0, copied.size(), copied) == 0 || reply.find('\0') != std::string::npos,
          "copy differs from the reply", reply);
  return 0;
}
