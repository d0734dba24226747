#include "instrument/choice_words.h"

#include <iterator>

namespace {

template <size_t N>
constexpr CChoiceWords Words(const CChoiceWord (&words)[N], int16_t otherCode) {
  return {words, N, otherCode};
}

const CChoiceWord kFunctions[] = {{kFuncSin, "SIN", "SINUSOID"}, {kFuncSqu, "SQU", "SQUARE"},
                                  {kFuncTri, "TRI", "TRIANGLE"}, {kFuncRamp, "RAMP"},
                                  {kFuncNoise, "NOISE"},         {kFuncUser, "USER"},
                                  {kFuncDc, "DC"}};
const CChoiceWord kOnOff[] = {{0, "OFF"}, {1, "ON"}};
const CChoiceWord kLoads[] = {{0, "INF", "INFINITY"}, {1, "50"}};
const CChoiceWord kAmSources[] = {{0, "BOTH"}, {1, "EXT", "EXTERNAL"}};
const CChoiceWord kIntExt[] = {{0, "INT", "INTERNAL"}, {1, "EXT", "EXTERNAL"}};
const CChoiceWord kSpacings[] = {{0, "LIN", "LINEAR"}, {1, "LOG", "LOGARITHMIC"}};
const CChoiceWord kSlopes[] = {{0, "NEG", "NEGATIVE"}, {1, "POS", "POSITIVE"}};
const CChoiceWord kTrigSources[] = {
    {kTrigImmediate, "IMM", "IMMEDIATE"}, {kTrigExternal, "EXT", "EXTERNAL"}, {kTrigBus, "BUS"}};
// A burst count out of range is an infinite burst.
const CChoiceWord kInfiniteCount[] = {{0, "INF", "INFINITY"}};

const CChoiceWord* Listed(const CChoiceWords& words, int16_t code) {
  for (size_t i = 0; i < words.m_count; ++i)
    if (words.m_words[i].m_code == code) return &words.m_words[i];
  return nullptr;
}

}  // namespace

const CChoiceWords kNoWords{nullptr, 0, 0};
const CChoiceWords kFunctionWords = Words(kFunctions, kFuncDc);
// The functions before DC, any other code modulating as USER.
const CChoiceWords kModulationWords{kFunctions, kFuncDc, kFuncUser};
const CChoiceWords kOnOffWords = Words(kOnOff, 1);
const CChoiceWords kLoadWords = Words(kLoads, 1);
const CChoiceWords kAmSourceWords = Words(kAmSources, 1);
const CChoiceWords kIntExtWords = Words(kIntExt, 1);
const CChoiceWords kSpacingWords = Words(kSpacings, 1);
const CChoiceWords kSlopeWords = Words(kSlopes, 1);
const CChoiceWords kTrigSourceWords{kTrigSources, std::size(kTrigSources), kTrigImmediate, "TTLT",
                                    kTrigFirstLine, 8};
const CChoiceWords kInfiniteCountWords = Words(kInfiniteCount, 0);

std::string ChoiceWord(const CChoiceWords& words, int16_t code) {
  if (const CChoiceWord* word = Listed(words, code)) return word->m_word;
  if (words.m_numbered != nullptr)
    return words.m_numbered + std::to_string(code - words.m_firstNumbered);
  if (const CChoiceWord* other = Listed(words, words.m_otherCode)) return other->m_word;
  return "";
}
