#include "instrument/setup_file.h"

#include <algorithm>
#include <optional>

#include "instrument/instrument.h"
#include "instrument/setting_text.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsMode(const CSetupStep& step) { return step.m_row->m_recall == ERecallGroup::kMode; }
bool TurnsModeOn(const CSetupStep& step) { return IsMode(step) && step.m_value.m_number != 0; }

// Modes that are off come first, the mode that is on comes last.
int RecallRank(const CSetupStep& step) {
  switch (step.m_row->m_recall) {
    case ERecallGroup::kMode: return TurnsModeOn(step) ? 4 : 0;
    case ERecallGroup::kShape: return 1;
    case ERecallGroup::kLevel: return 2;
    case ERecallGroup::kModeSetting: return 3;
  }
  return 3;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string Quoted(std::string_view line) { return "\"" + std::string(line) + "\""; }

// Why a line cannot be read as ASCII text, or nothing.
std::optional<std::string> LineFault(std::string_view line) {
  if (line.size() > kMaxSetupLineLength)
    return "the line is longer than " + std::to_string(kMaxSetupLineLength) + " characters";
  for (char c : line) {
    if (c == '\r') return std::string("a line ends in CR alone; a setup's lines end in LF or CR LF");
    unsigned char u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u > 0x7E)
      return std::string("the line holds a character that is not ASCII text");
  }
  return std::nullopt;
}

class CSetupReader {
 public:
  CSetupReading Read(std::string_view bytes) {
    if (bytes.size() > kMaxSetupFileSize) {
      int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + kMaxSetupFileSize, '\n'));
      return Fail(line, "the file is larger than 64 KiB");
    }
    if (bytes.size() >= 2 && (bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF"))
      return Fail(1, "the file is UTF-16 text; a setup is ASCII text");
    if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) bytes.remove_prefix(kUtf8Mark.size());
    int number = 0;
    while (!bytes.empty()) {
      size_t end = bytes.find('\n');
      std::string_view line = bytes.substr(0, end);
      bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      ++number;
      if (!ReadLine(line, number)) return m_reading;
    }
    if (m_reading.m_steps.empty()) return Fail(std::max(number, 1), "the file holds no setting");
    m_reading.m_steps = InRecallOrder(std::move(m_reading.m_steps));
    return m_reading;
  }

 private:
  bool ReadLine(std::string_view raw, int number) {
    if (std::optional<std::string> fault = LineFault(raw)) return Refuse(number, *fault);
    std::string_view line = Trimmed(raw);
    if (line.empty() || line.front() == '#') return true;
    size_t gap = line.find_first_of(" \t");
    std::string header(line.substr(0, gap));
    const CSetting* row = FindSettingByHeader(header);
    // The amplitude's header holds a blank of its own.
    for (size_t next = gap; row == nullptr && next != std::string_view::npos;) {
      next = line.find_first_of(" \t", next + 1);
      row = FindSettingByHeader(std::string(line.substr(0, next)));
      if (row != nullptr) gap = next;
    }
    if (row == nullptr) return Refuse(number, Quoted(line) + " is not a setting of the TG Q3207");
    if (gap == std::string_view::npos) return Refuse(number, Quoted(line) + " has no value");
    for (const CSetupStep& earlier : m_reading.m_steps) {
      if (earlier.m_row == row)
        return Refuse(number, Quoted(line) + " gives " + row->m_header + " a second time (first on line " +
                                  std::to_string(earlier.m_line) + ")");
    }
    CValueReading value = ReadSettingValue(*row, Trimmed(line.substr(gap)));
    if (!value.m_value) return Refuse(number, Quoted(line) + " " + value.m_reason);
    CSetupStep step{row, *value.m_value, number};
    for (const CSetupStep& earlier : m_reading.m_steps) {
      if (TurnsModeOn(earlier) && TurnsModeOn(step))
        return Refuse(number, Quoted(line) + " turns on a second mode (" + earlier.m_row->m_header +
                                  " on line " + std::to_string(earlier.m_line) + "); at most one mode is on");
    }
    m_reading.m_steps.push_back(step);
    return true;
  }

  bool Refuse(int line, const std::string& reason) {
    Fail(line, reason);
    return false;
  }

  CSetupReading Fail(int line, const std::string& reason) {
    m_reading.m_steps.clear();
    m_reading.m_errorLine = line;
    m_reading.m_error = reason;
    return m_reading;
  }

  CSetupReading m_reading;
};

}  // namespace

std::vector<CSetupStep> InRecallOrder(std::vector<CSetupStep> steps) {
  std::stable_sort(steps.begin(), steps.end(), [](const CSetupStep& a, const CSetupStep& b) {
    int rankA = RecallRank(a), rankB = RecallRank(b);
    if (rankA != rankB) return rankA < rankB;
    return a.m_row < b.m_row;
  });
  return steps;
}

std::vector<CSetupStep> RememberedSetup(const CInstrument& instrument) {
  std::vector<CSetupStep> steps;
  for (size_t i = 0; i < kSettingCount; ++i)
    steps.push_back({&kSettingTable[i], kSettingTable[i].m_remembered(instrument)});
  return InRecallOrder(std::move(steps));
}

std::string SetupCommands(const std::vector<CSetupStep>& steps) {
  std::string text;
  for (const CSetupStep& step : steps) text += SettingCommand(*step.m_row, step.m_value) + "\r\n";
  return text;
}

std::string WriteSetup(const CInstrument& instrument, const CSetupOrigin& origin) {
  std::string text = "# TG Q3207 setup\r\n";
  text += "# saved " + origin.m_savedUtc + "\r\n";
  text += "# program tgq3207sfp " + origin.m_version + "\r\n";
  text += "# instrument " + (origin.m_resource.empty() ? std::string("non-live") : origin.m_resource) + "\r\n";
  return text + SetupCommands(RememberedSetup(instrument));
}

CSetupReading ReadSetup(std::string_view bytes) { return CSetupReader().Read(bytes); }

std::string RefusalText(const CSetupReading& reading) {
  return "Setup not recalled: line " + std::to_string(reading.m_errorLine) + ": " + reading.m_error + ".";
}
