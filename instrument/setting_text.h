// One setting's value as text, the way a setup file writes and reads it:
// numbers with a point in every locale, in the shortest form that reads back
// to the same double; choices as their SCPI words.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "instrument/setting_table.h"

// A name the instrument takes: a SCPI mnemonic of at most 12 letters, digits
// and underscores, beginning with a letter. Anything else could carry a second
// command into the instrument.
constexpr size_t kMaxNameLength = 12;

std::string SettingValueText(const CSetting& row, const CSettingValue& value);
// The command that sets the row to the value: "FREQ 2500000".
std::string SettingCommand(const CSetting& row, const CSettingValue& value);

// A value read from text, or why it could not be read ("is not a number").
struct CValueReading {
  std::optional<CSettingValue> m_value;
  std::string m_reason;
};
CValueReading ReadSettingValue(const CSetting& row, std::string_view text);
// The row's power-on value.
CSettingValue PowerOnValue(const CSetting& row);

// The fewest digits that read back to the same double, without an exponent
// from 0.0001 to 1e16: 2500000, 0.1, 1e-05.
std::string ShortestNumberText(double value);
