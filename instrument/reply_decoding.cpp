#include "instrument/reply_decoding.h"

#include <cstring>
#include <initializer_list>

namespace {

struct CKeywordCode {
  const char* m_prefix;
  int16_t m_code;
};

const char* Keyword(const char* reply) { return *reply == '"' ? reply + 1 : reply; }

// The code of the first entry whose prefix stands at `offset` of the keyword.
std::optional<int16_t> Decode(const char* reply, size_t offset,
                              std::initializer_list<CKeywordCode> table) {
  const char* keyword = Keyword(reply);
  if (std::strlen(keyword) < offset) return std::nullopt;
  for (const CKeywordCode& entry : table)
    if (std::strncmp(keyword + offset, entry.m_prefix, std::strlen(entry.m_prefix)) == 0)
      return entry.m_code;
  return std::nullopt;
}

}  // namespace

std::optional<int16_t> DecodeFunction(const char* reply) {
  return Decode(reply, 0,
                {{"D", 6}, {"N", 4}, {"R", 3}, {"SI", 0}, {"SQ", 1}, {"T", 2}, {"U", 5}});
}

std::optional<int16_t> DecodeModulationFunction(const char* reply) {
  return Decode(reply, 0, {{"N", 4}, {"R", 3}, {"SI", 0}, {"SQ", 1}, {"T", 2}, {"U", 5}});
}

std::optional<int16_t> DecodeTrigSource(const char* reply) {
  const char* keyword = Keyword(reply);
  if (keyword[0] == 'T') {
    // TTLT<n>: the line digit is the fifth character.
    if (std::strlen(keyword) < 5 || keyword[4] < '0' || keyword[4] > '9') return std::nullopt;
    return static_cast<int16_t>(3 + (keyword[4] - '0'));
  }
  return Decode(reply, 0, {{"B", 2}, {"E", 1}, {"I", 0}});
}

std::optional<int16_t> DecodeAmSource(const char* reply) {
  return Decode(reply, 0, {{"B", 0}, {"E", 1}});
}

std::optional<int16_t> DecodeIntExtSource(const char* reply) {
  return Decode(reply, 0, {{"E", 1}, {"I", 0}});
}

std::optional<int16_t> DecodeTrigSlope(const char* reply) {
  return Decode(reply, 0, {{"N", 0}, {"P", 1}});
}

std::optional<int16_t> DecodeSweepSpacing(const char* reply) {
  return Decode(reply, 1, {{"I", 0}, {"O", 1}});
}

int16_t DecodeLoad(double ohms) { return ohms > 75.0 ? 0 : 1; }

int32_t DecodeBmCount(double cycles) {
  // Also keeps values that no 32-bit count can hold (and NaN) from the conversion.
  if (!(cycles <= 50001.0 && cycles > -2147483649.0)) return 0;
  return static_cast<int32_t>(cycles);
}

void StripTrailingControl(std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) < 14) text.pop_back();
}
