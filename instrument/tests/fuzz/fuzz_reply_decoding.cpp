// Arbitrary replies must decode without a crash into a code of the setting's
// own range or into none; arbitrary numbers must give a load of 0 or 1 and a
// burst count of at most 50001 (a negative reply is kept as it came).
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "instrument/reply_decoding.h"

namespace {

void Require(bool holds, const char* what, const std::string& reply) {
  if (holds) return;
  std::fprintf(stderr, "%s: reply \"%s\"\n", what, reply.c_str());
  std::abort();
}

void RequireRange(std::optional<int16_t> code, int16_t last, const char* what, const std::string& reply) {
  Require(!code || (*code >= 0 && *code <= last), what, reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint64_t bits = input.ConsumeIntegral<uint64_t>();
  double number;
  std::memcpy(&number, &bits, sizeof number);
  const int16_t load = DecodeLoad(number);
  Require(load == 0 || load == 1, "load", std::to_string(number));
  const int32_t count = DecodeBmCount(number);
  Require(count <= 50001, "burst count", std::to_string(number));
  if (number >= 0 && number <= 50001) Require(count == static_cast<int32_t>(number), "count cut", std::to_string(number));

  const std::string reply = input.ConsumeRemainingBytesAsString();
  const char* text = reply.c_str();  // the driver hands back NUL-terminated text
  // A numbered word decodes to its first code plus any digit: TTLT8 and TTLT9
  // give 11 and 12, which the panels show as no selection.
  for (size_t i = 0; i < kSettingCount; ++i) {
    const CSetting& row = kSettingTable[i];
    if (row.m_reply != EReplyForm::kKeyword) continue;
    const CChoiceWords& words = *row.m_words;
    int16_t last = words.m_numbered != nullptr ? words.m_firstNumbered + 9 : 0;
    for (size_t w = 0; w < words.m_count; ++w) last = std::max(last, words.m_words[w].m_code);
    RequireRange(DecodeKeyword(words, text), last, row.m_header, reply);
  }

  std::string name(text);
  const size_t before = name.size();
  StripTrailingControl(name);
  Require(name.size() == before || name.size() + 1 == before, "strip removed more than one", reply);
  Require(reply.compare(0, name.size(), name) == 0, "strip changed the text", reply);
  return 0;
}
