#include "instrument/setting_text.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "scpi/scpi_words.h"

namespace {

CValueReading Refused(std::string reason) { return {std::nullopt, std::move(reason)}; }
CValueReading Read(double number) { return {CSettingValue{number, {}}, {}}; }

std::string RangeReason(const CSetting& row) {
  return "is out of range (" + ShortestNumberText(row.m_min) + " to " +
         ShortestNumberText(row.m_max) + ")";
}

// A number written with a point, an optional sign and exponent, finite.
std::optional<double> ReadNumber(std::string_view text, bool& outOfRange) {
  outOfRange = false;
  bool plus = !text.empty() && text.front() == '+';
  if (plus) text.remove_prefix(1);
  if (text.empty() || (plus && text.front() == '-')) return std::nullopt;
  double number = 0;
  std::from_chars_result read = std::from_chars(text.data(), text.data() + text.size(), number);
  if (read.ptr != text.data() + text.size()) return std::nullopt;
  if (read.ec == std::errc::result_out_of_range) {
    outOfRange = true;
    return std::nullopt;
  }
  if (read.ec != std::errc() || !std::isfinite(number)) return std::nullopt;
  return number;
}

std::optional<int16_t> ReadWord(const CChoiceWords& words, std::string_view text) {
  for (size_t i = 0; i < words.m_count; ++i) {
    const CChoiceWord& word = words.m_words[i];
    if (scpi::SameWordIgnoringCase(text, word.m_word) ||
        (word.m_longForm != nullptr && scpi::SameWordIgnoringCase(text, word.m_longForm)))
      return word.m_code;
  }
  if (words.m_numbered == nullptr) return std::nullopt;
  for (int16_t line = 0; line < words.m_numberedCount; ++line)
    if (scpi::SameWordIgnoringCase(text, words.m_numbered + std::to_string(line)))
      return static_cast<int16_t>(words.m_firstNumbered + line);
  return std::nullopt;
}

std::string WordList(const CChoiceWords& words) {
  std::string list;
  for (size_t i = 0; i < words.m_count; ++i) list += (i ? ", " : "") + std::string(words.m_words[i].m_word);
  if (words.m_numbered != nullptr)
    list += ", " + std::string(words.m_numbered) + "0 to " + words.m_numbered +
            std::to_string(words.m_numberedCount - 1);
  return list;
}

CValueReading ReadReal(const CSetting& row, std::string_view text) {
  bool outOfRange = false;
  std::optional<double> number = ReadNumber(text, outOfRange);
  if (outOfRange) return Refused(RangeReason(row));
  if (!number) return Refused("is not a number");
  if (*number < row.m_min || *number > row.m_max) return Refused(RangeReason(row));
  return Read(*number);
}

CValueReading ReadInteger(const CSetting& row, std::string_view text) {
  if (std::optional<int16_t> word = ReadWord(*row.m_words, text)) return Read(*word);
  bool outOfRange = false;
  std::optional<double> number = ReadNumber(text, outOfRange);
  if (!number && !outOfRange) return Refused("is not a number");
  if (number && *number != std::floor(*number)) return Refused("is not a whole number");
  if (outOfRange || *number < row.m_min || *number > row.m_max)
    return Refused(RangeReason(row) + " or " + WordList(*row.m_words));
  return Read(*number);
}

CValueReading ReadName(std::string_view text) {
  bool taken = !text.empty() && text.size() <= kMaxNameLength &&
               std::isalpha(static_cast<unsigned char>(text.front()));
  for (char c : text) taken = taken && (std::isalnum(static_cast<unsigned char>(c)) || c == '_');
  if (!taken)
    return Refused("is not a waveform name (a letter, then letters, digits or _, at most " +
                   std::to_string(kMaxNameLength) + ")");
  return {CSettingValue{0, std::string(text)}, {}};
}

}  // namespace

std::string ShortestNumberText(double value) {
  char text[400];
  double size = std::fabs(value);
  std::chars_format format =
      value == 0 || (size >= 1e-4 && size < 1e16) ? std::chars_format::fixed : std::chars_format::scientific;
  std::to_chars_result written = std::to_chars(text, text + sizeof text, value, format);
  return std::string(text, written.ptr);
}

std::string SettingValueText(const CSetting& row, const CSettingValue& value) {
  switch (row.m_kind) {
    case ESettingKind::kReal:
      return ShortestNumberText(value.m_number);
    case ESettingKind::kChoice:
      return ChoiceWord(*row.m_words, static_cast<int16_t>(value.m_number));
    case ESettingKind::kInteger:
      if (value.m_number >= row.m_min && value.m_number <= row.m_max)
        return ShortestNumberText(value.m_number);
      return ChoiceWord(*row.m_words, row.m_words->m_otherCode);
    case ESettingKind::kName:
      break;
  }
  return value.m_name;
}

std::string SettingCommand(const CSetting& row, const CSettingValue& value) {
  return std::string(row.m_header) + " " + SettingValueText(row, value);
}

CValueReading ReadSettingValue(const CSetting& row, std::string_view text) {
  switch (row.m_kind) {
    case ESettingKind::kReal:
      return ReadReal(row, text);
    case ESettingKind::kInteger:
      return ReadInteger(row, text);
    case ESettingKind::kChoice:
      if (std::optional<int16_t> code = ReadWord(*row.m_words, text)) return Read(*code);
      return Refused("is not one of " + WordList(*row.m_words));
    case ESettingKind::kName:
      break;
  }
  return ReadName(text);
}

CSettingValue PowerOnValue(const CSetting& row) { return *ReadSettingValue(row, row.m_default).m_value; }
