#include "driver/reply_parsing.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const char* SkipBlanks(const char* p) {
  while (*p != '\0' && std::isspace(static_cast<unsigned char>(*p))) ++p;
  return p;
}

}  // namespace

// Read with a decimal point whatever the locale of the process that loaded
// the driver: std::from_chars follows no locale, but takes no plus sign.
std::optional<double> ParseReal(const std::string& reply) {
  const char* start = SkipBlanks(reply.c_str());
  if (*start == '+' && *++start == '-') return std::nullopt;
  double value = 0.0;
  auto [end, error] = std::from_chars(start, start + std::strlen(start), value);
  if (error != std::errc() || *SkipBlanks(end) != '\0' || std::isnan(value)) return std::nullopt;
  return value;
}

std::optional<int16_t> ParseInt16(const std::string& reply) {
  std::optional<double> value = ParseReal(reply);
  if (!value || *value != std::trunc(*value) || *value < INT16_MIN || *value > INT16_MAX)
    return std::nullopt;
  return static_cast<int16_t>(*value);
}

std::optional<CErrorEntry> ParseErrorEntry(const std::string& reply) {
  const char* start = SkipBlanks(reply.c_str());
  char* end = nullptr;
  long long code = std::strtoll(start, &end, 10);
  if (end == start || code < INT32_MIN || code > INT32_MAX) return std::nullopt;
  const char* rest = SkipBlanks(end);
  if (*rest != ',') return std::nullopt;
  std::string message = SkipBlanks(rest + 1);
  if (!message.empty() && message.front() == '"') {
    message.erase(0, 1);
    size_t closing = message.rfind('"');
    if (closing != std::string::npos) message.erase(closing);
  }
  return CErrorEntry{static_cast<int32_t>(code), message};
}

void CopyTruncated(char* dest, size_t maxChars, const std::string& text) {
  size_t length = text.size() < maxChars ? text.size() : maxChars;
  std::memcpy(dest, text.data(), length);
  dest[length] = '\0';
}
