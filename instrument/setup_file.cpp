#include "instrument/setup_file.h"

#include <algorithm>
#include <optional>

#include "instrument/instrument.h"
#include "instrument/setting_text.h"
#include "scpi/scpi_words.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kCommentStart = "# instrument ";

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
bool IsText(char c) { return c >= 0x20 && c <= 0x7E; }

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
    if (!IsText(c) && c != '\t') return std::string("the line holds a character that is not ASCII text");
  }
  return std::nullopt;
}

// The comment line that names the instrument, cut to a line the reader takes.
std::string InstrumentComment(const std::string& resource) {
  std::string name = resource.empty() ? std::string("non-live") : resource;
  for (char& c : name)
    if (!IsText(c)) c = '?';
  const size_t room = kMaxSetupLineLength - kCommentStart.size();
  if (name.size() > room) name = name.substr(0, room - 3) + "...";
  return std::string(kCommentStart) + name + "\r\n";
}

size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      size_t above = row[j];
      bool same = scpi::SameWordIgnoringCase(a.substr(i - 1, 1), b.substr(j - 1, 1));
      row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (same ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// The setting whose header is nearest to an unknown one, as " (the nearest
// setting is FREQ)", or "" when none is near.
std::string NearestSetting(std::string_view header) {
  if (!header.empty() && header.front() == ':') header.remove_prefix(1);
  const CSetting* nearest = nullptr;
  size_t best = std::max<size_t>(2, header.size() / 4) + 1;
  for (size_t i = 0; i < kSettingCount; ++i) {
    scpi::HeaderPattern pattern(kSettingTable[i].m_spelling);
    size_t distance = std::min(EditDistance(header, pattern.ShortForm()), EditDistance(header, pattern.LongForm()));
    if (distance < best) {
      best = distance;
      nearest = &kSettingTable[i];
    }
  }
  if (nearest == nullptr) return {};
  return " (the nearest setting is " + scpi::HeaderPattern(nearest->m_spelling).ShortForm() + ")";
}

class CSetupReader {
 public:
  CSetupReading Read(std::string_view bytes) {
    if (bytes.size() > kMaxSetupFileSize) {
      int line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + kMaxSetupFileSize, '\n'));
      return Fail(line, "the file is larger than " + std::to_string(kMaxSetupFileSize / 1024) + " KiB");
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
    if (m_reading.m_steps.empty() && m_reading.m_resetLine == 0)
      return Fail(std::max(number, 1), "the file holds no setting");
    return m_reading;
  }

 private:
  bool ReadLine(std::string_view raw, int number) {
    if (std::optional<std::string> fault = LineFault(raw)) return Refuse(number, *fault);
    std::string_view line = Trimmed(raw);
    if (line.empty() || line.front() == '#') return true;
    size_t gap = line.find_first_of(" \t");
    std::string_view header = line.substr(0, gap);
    // The amplitude's header as the program writes it holds a blank of its own.
    const CSetting* row = nullptr;
    for (size_t next = gap; row == nullptr && next != std::string_view::npos;) {
      next = line.find_first_of(" \t", next + 1);
      row = FindSettingByHeader(std::string(line.substr(0, next)));
      if (row != nullptr) gap = next;
    }
    if (row == nullptr && line.find(';') != std::string_view::npos)
      return Refuse(number, Quoted(line) + " holds more than one command; a setup gives one command a line");
    if (row == nullptr && scpi::SameWordIgnoringCase(header, "*RST")) {
      if (gap != std::string_view::npos) return Refuse(number, Quoted(line) + " takes no value");
      m_reading.m_steps.clear();
      m_reading.m_resetLine = number;
      return true;
    }
    if (row == nullptr && !header.empty() && header.back() == '?')
      return Refuse(number, Quoted(line) + " is a query; a setup gives settings");
    std::string_view value = gap == std::string_view::npos ? std::string_view() : Trimmed(line.substr(gap));
    if (row == nullptr && scpi::HeaderPattern("[SOURce]:VOLTage:UNIT").Matches(scpi::HeaderPath(header))) {
      if (scpi::SameWordIgnoringCase(value, "VPP")) return true;
      return Refuse(number, Quoted(line) + ": the TG Q3207 takes amplitudes in VPP only");
    }
    if (row == nullptr) row = FindSettingBySpelling(header);
    if (row == nullptr)
      return Refuse(number, Quoted(line) + " is not a setting of the TG Q3207" + NearestSetting(header));
    if (value.empty()) return Refuse(number, Quoted(line) + " has no value");
    CValueReading reading = ReadSettingValue(*row, value);
    if (!reading.m_value) return Refuse(number, Quoted(line) + " " + reading.m_reason);
    m_reading.m_steps.push_back({row, *reading.m_value, number});
    return true;
  }

  bool Refuse(int line, const std::string& reason) {
    Fail(line, reason);
    return false;
  }

  CSetupReading Fail(int line, const std::string& reason) {
    m_reading.m_steps.clear();
    m_reading.m_resetLine = 0;
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
    steps.push_back({&kSettingTable[i], instrument.Remembered(kSettingTable[i])});
  return InRecallOrder(std::move(steps));
}

std::string SetupCommands(const std::vector<CSetupStep>& steps) {
  std::string text;
  for (const CSetupStep& step : steps) text += SettingCommand(*step.m_row, step.m_value) + "\r\n";
  return text;
}

std::string WriteSetup(const CInstrument& instrument, const CSetupOrigin& origin) {
  std::string text = std::string(kSetupFileTitle) + "\r\n";
  text += "# saved " + origin.m_savedUtc + "\r\n";
  text += "# program tgq3207sfp " + origin.m_version + "\r\n";
  text += InstrumentComment(origin.m_resource);
  return text + SetupCommands(RememberedSetup(instrument));
}

CSetupReading ReadSetup(std::string_view bytes) { return CSetupReader().Read(bytes); }

std::string RefusalText(int line, const std::string& reason) {
  return "Setup not recalled: line " + std::to_string(line) + ": " + reason + ".";
}
