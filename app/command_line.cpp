#include "app/command_line.h"

#include <cctype>
#include <cwctype>

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

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// The end of the word at `begin`: a quoted word ends after its closing quote
// (or at the end of the line); `word` receives it without the quotes.
size_t WordEnd(const std::wstring& line, size_t begin, std::wstring& word) {
  if (begin < line.size() && line[begin] == L'"') {
    size_t close = line.find(L'"', begin + 1);
    size_t end = close == std::wstring::npos ? line.size() : close;
    word = line.substr(begin + 1, end - begin - 1);
    return close == std::wstring::npos ? end : close + 1;
  }
  size_t end = begin;
  while (end < line.size() && !IsBlank(line[end])) ++end;
  word = line.substr(begin, end - begin);
  return end;
}

// Whether the station option `name` starts at `at`, as a word of its own.
bool OptionAt(const std::wstring& line, size_t at, const wchar_t* name) {
  if (at > 0 && !IsBlank(line[at - 1])) return false;
  if (line[at] != L'/' && line[at] != L'-') return false;
  size_t i = at + 1;
  for (const wchar_t* n = name; *n != 0; ++n, ++i)
    if (i >= line.size() || std::towlower(line[i]) != *n) return false;
  return i == line.size() || IsBlank(line[i]);
}
}  // namespace

std::wstring ArgumentsOf(const std::wstring& wholeLine) {
  std::wstring program;
  size_t end = WordEnd(wholeLine, 0, program);
  while (end < wholeLine.size() && IsBlank(wholeLine[end])) ++end;
  return wholeLine.substr(end);
}

CStationOptions TakeStationOptions(const std::wstring& arguments) {
  CStationOptions options;
  std::wstring& line = options.m_rest = arguments;
  for (size_t at = 0; at < line.size(); ++at) {
    std::optional<std::wstring>* file = nullptr;
    size_t nameLength = 0;
    if (OptionAt(line, at, L"setup")) {
      file = &options.m_setupFile;
      nameLength = 6;
    } else if (OptionAt(line, at, L"log")) {
      file = &options.m_logFile;
      nameLength = 4;
    } else {
      continue;
    }
    size_t begin = at + nameLength;
    while (begin < line.size() && IsBlank(line[begin])) ++begin;
    std::wstring word;
    size_t end = WordEnd(line, begin, word);
    *file = word;
    line.erase(at, end - at);
    --at;
  }
  return options;
}
