#include "instrument/reply_decoding.h"

#include <cstring>
#include <string_view>

namespace {

const char* Keyword(const char* reply) { return *reply == '"' ? reply + 1 : reply; }

// The number of leading letters that every word shares.
size_t SharedLength(const CChoiceWords& words) {
  std::string_view first = words.m_words[0].m_word;
  size_t shared = first.size();
  for (size_t i = 1; i < words.m_count; ++i) {
    std::string_view word = words.m_words[i].m_word;
    size_t n = 0;
    while (n < shared && n < word.size() && word[n] == first[n]) ++n;
    shared = n;
  }
  return shared;
}

// The shortest prefix of word `index`, from `offset` on, that no other word begins with.
std::string_view TellingPrefix(const CChoiceWords& words, size_t index, size_t offset) {
  std::string_view word = std::string_view(words.m_words[index].m_word).substr(offset);
  for (size_t length = 1; length < word.size(); ++length) {
    bool unique = true;
    for (size_t i = 0; i < words.m_count && unique; ++i) {
      std::string_view other = words.m_words[i].m_word;
      unique = i == index || other.substr(offset, length) != word.substr(0, length);
    }
    if (unique) return word.substr(0, length);
  }
  return word;
}

}  // namespace

std::optional<int16_t> DecodeKeyword(const CChoiceWords& words, const char* reply) {
  const char* keyword = Keyword(reply);
  if (words.m_numbered != nullptr && keyword[0] == words.m_numbered[0]) {
    size_t digitAt = std::strlen(words.m_numbered);
    if (std::strlen(keyword) <= digitAt || keyword[digitAt] < '0' || keyword[digitAt] > '9')
      return std::nullopt;
    return static_cast<int16_t>(words.m_firstNumbered + (keyword[digitAt] - '0'));
  }
  size_t offset = SharedLength(words);
  if (std::strlen(keyword) < offset) return std::nullopt;
  for (size_t i = 0; i < words.m_count; ++i) {
    std::string_view prefix = TellingPrefix(words, i, offset);
    if (std::strncmp(keyword + offset, prefix.data(), prefix.size()) == 0)
      return words.m_words[i].m_code;
  }
  return std::nullopt;
}

int16_t DecodeLoad(double ohms) { return ohms > 75.0 ? 0 : 1; }

int32_t DecodeBmCount(double cycles) {
  // One above the largest count stands for an infinite burst and reads back
  // as it was sent. Also keeps values that no 32-bit count can hold (and NaN)
  // from the conversion.
  const double infiniteStandIn = SettingRow(ESetting::kBmCount).m_max + 1;
  if (!(cycles <= infiniteStandIn && cycles > -2147483649.0)) return 0;
  return static_cast<int32_t>(cycles);
}

void StripTrailingControl(std::string& text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) < 14) text.pop_back();
}
