// Turning the instrument's text replies into the values the entry points
// hand back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

std::optional<double> ParseReal(const std::string& reply);
// A number that is a whole value within 16 bits ("1", "+64", "1.0E+00").
std::optional<int16_t> ParseInt16(const std::string& reply);

struct CErrorEntry {
  int32_t m_code = 0;
  std::string m_message;
};
// One error-queue entry: <code>,"<message>".
std::optional<CErrorEntry> ParseErrorEntry(const std::string& reply);

// Copies at most `maxChars` characters of `text` and a NUL into `dest`.
void CopyTruncated(char* dest, size_t maxChars, const std::string& text);
