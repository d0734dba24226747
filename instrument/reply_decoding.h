// How the instrument's replies become remembered settings. Text replies may
// begin with one double quote, which is skipped; a reply that matches no
// keyword gives no code, and the remembered setting stays as it was.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// FUNC?: SIN 0, SQU 1, TRI 2, RAMP 3, NOISE 4, USER 5, DC 6.
std::optional<int16_t> DecodeFunction(const char* reply);
// AM:INT:FUNC?, FM:INT:FUNC?: as the output function, without DC.
std::optional<int16_t> DecodeModulationFunction(const char* reply);
// TRIG:SOUR?: IMM 0, EXT 1, BUS 2, TTLT<n> 3 + n.
std::optional<int16_t> DecodeTrigSource(const char* reply);
// AM:SOUR?: BOTH 0, EXT 1.
std::optional<int16_t> DecodeAmSource(const char* reply);
// BM:SOUR?, FSK:SOUR?: INT 0, EXT 1.
std::optional<int16_t> DecodeIntExtSource(const char* reply);
// TRIG:SLOP?: NEG 0, POS 1.
std::optional<int16_t> DecodeTrigSlope(const char* reply);
// SWE:SPAC?: LIN 0, LOG 1, told apart by the second letter.
std::optional<int16_t> DecodeSweepSpacing(const char* reply);

// OUTP:LOAD? in ohms: 1 for 50 ohms, 0 for infinite (above 75).
int16_t DecodeLoad(double ohms);
// BM:NCYC?: the count, or 0 for infinite (above 50001, or beyond any count).
int32_t DecodeBmCount(double cycles);

// Removes one trailing character below 14 (a line feed left by the driver).
void StripTrailingControl(std::string& text);
