#include "app/command_line.h"

#include <cctype>

namespace {
std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Upper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// The word after "/a" when the line has one anywhere, otherwise after the first "-a".
std::string WordAfterNameOption(const std::string& lower) {
  size_t at = lower.find("/a");
  if (at == std::string::npos) at = lower.find("-a");
  size_t begin = at + 2;
  while (begin < lower.size() && lower[begin] == ' ') ++begin;
  size_t end = lower.find(' ', begin);
  if (end == std::string::npos) end = lower.size();
  return Upper(lower.substr(begin, end - begin));
}
}  // namespace

CCommandLine::CCommandLine(const std::string& line) : m_lower(Lower(line)) {
  m_named = HasOption('a');
  if (m_named) m_resourceName = WordAfterNameOption(m_lower);
  m_chooseAny = HasOption('n');
  m_reset = HasOption('r');
}

bool CCommandLine::HasOption(char letter) const {
  const char dash[] = {'-', letter, 0};
  const char slash[] = {'/', letter, 0};
  return m_lower.find(dash) != std::string::npos || m_lower.find(slash) != std::string::npos;
}
