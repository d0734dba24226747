// The words of the coded settings, as they go out and as replies bring them
// back, and the codes the program names: the one home of both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A code's word as it goes out, and its long form where the instrument also
// takes one ("SIN", "SINUSOID").
struct CChoiceWord {
  int16_t m_code;
  const char* m_word;
  const char* m_longForm = nullptr;
};

// A choice's words. A code that is not listed goes out as the word of
// `m_otherCode`, or, where the list has numbered words ("TTLT"), as that
// word and the code less `m_firstNumbered`.
struct CChoiceWords {
  const CChoiceWord* m_words;
  size_t m_count;
  int16_t m_otherCode;
  const char* m_numbered = nullptr;
  int16_t m_firstNumbered = 0;
  int16_t m_numberedCount = 0;
};

// The output's functions; the modulating functions are these without DC.
enum FunctionCode : int16_t { kFuncSin, kFuncSqu, kFuncTri, kFuncRamp, kFuncNoise, kFuncUser, kFuncDc };
// The trigger sources, then the eight trigger lines TTLT0 to TTLT7.
enum TriggerSource : int16_t { kTrigImmediate, kTrigExternal, kTrigBus, kTrigFirstLine };

extern const CChoiceWords kNoWords;
extern const CChoiceWords kFunctionWords;
extern const CChoiceWords kModulationWords;
extern const CChoiceWords kOnOffWords;
extern const CChoiceWords kLoadWords;
extern const CChoiceWords kAmSourceWords;
extern const CChoiceWords kIntExtWords;
extern const CChoiceWords kSpacingWords;
extern const CChoiceWords kTrigSourceWords;
extern const CChoiceWords kSlopeWords;
extern const CChoiceWords kInfiniteCountWords;

// The word a choice's code goes out as; empty when neither the code nor the
// list's other code has a word.
std::string ChoiceWord(const CChoiceWords& words, int16_t code);
