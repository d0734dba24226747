// How the instrument's replies become remembered settings. Text replies may
// begin with one double quote, which is skipped; a reply that matches no
// keyword gives no code, and the remembered setting stays as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "instrument/setting_table.h"

// A keyword reply by the choice's words: past the letters that all words
// share, each word is told by its shortest prefix that no other word has
// (FUNC?: "D" DC, "SI" SIN, "SQ" SQU; SWE:SPAC?: "I" LIN, "O" LOG). A numbered
// word is told by its first letter, and the digit after the word gives the
// number ("TTLT7").
std::optional<int16_t> DecodeKeyword(const CChoiceWords& words, const char* reply);

// OUTP:LOAD? in ohms: 1 for 50 ohms, 0 for infinite (above 75).
int16_t DecodeLoad(double ohms);
// BM:NCYC?: the count, or 0 for infinite (above one more than the largest
// count, or beyond any count).
int32_t DecodeBmCount(double cycles);

// Removes one trailing character below 14 (a line feed left by the driver).
void StripTrailingControl(std::string& text);
