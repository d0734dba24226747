#include "visa-sim/model/program_message.h"

#include <cctype>
#include <charconv>

#include "visa-sim/model/text_util.h"

namespace tgqsim {

namespace {

bool IsLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsWordChar(char c) { return IsLetter(c) || IsDigit(c) || c == '_'; }

class MessageLexer {
 public:
  explicit MessageLexer(std::string_view text) : text_(text) {}

  ParsedMessage Parse() {
    ParsedMessage parsed;
    std::vector<std::string> compoundPrefix;
    try {
      SkipBlanks();
      while (!AtEnd()) {
        ProgramUnit unit = ParseUnit(compoundPrefix);
        parsed.units.push_back(std::move(unit));
        SkipBlanks();
        if (AtEnd()) break;
        if (Peek() != ';') Fail(kSyntaxError);
        ++pos_;
        SkipBlanks();
      }
    } catch (const ScpiFailure& failure) {
      parsed.error = failure.error;
    }
    return parsed;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void SkipBlanks() {
    while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
  }

  std::string Word() {
    size_t start = pos_;
    if (!IsLetter(Peek())) Fail(kSyntaxError);
    while (!AtEnd() && IsWordChar(text_[pos_])) ++pos_;
    return std::string(text_.substr(start, pos_ - start));
  }

  ProgramUnit ParseUnit(std::vector<std::string>& compoundPrefix) {
    ProgramUnit unit;
    size_t headerStart = pos_;
    if (Peek() == '*') {
      ++pos_;
      unit.path.push_back("*" + Word());
    } else {
      bool absolute = Peek() == ':';
      if (absolute) {
        ++pos_;
        headerStart = pos_;
      }
      std::vector<std::string> written{Word()};
      while (Peek() == ':') {
        ++pos_;
        written.push_back(Word());
      }
      unit.path = absolute ? std::vector<std::string>{} : compoundPrefix;
      unit.path.insert(unit.path.end(), written.begin(), written.end());
      compoundPrefix.assign(unit.path.begin(), unit.path.end() - 1);
    }
    if (Peek() == '?') {
      unit.query = true;
      ++pos_;
    }
    unit.header = ToUpper(text_.substr(headerStart, pos_ - headerStart));
    if (AtEnd() || Peek() == ';') return unit;
    if (!IsBlank(Peek())) Fail(kSyntaxError);
    SkipBlanks();
    if (AtEnd() || Peek() == ';') return unit;
    unit.params.push_back(ParseParameter());
    for (SkipBlanks(); Peek() == ','; SkipBlanks()) {
      ++pos_;
      SkipBlanks();
      unit.params.push_back(ParseParameter());
    }
    return unit;
  }

  Parameter ParseParameter() {
    char c = Peek();
    if (c == '"' || c == '\'') return ParseString(c);
    if (IsDigit(c) || c == '+' || c == '-' || c == '.') return ParseNumber();
    if (IsLetter(c)) return Parameter{ParameterKind::kCharacter, 0.0, Word()};
    Fail(kSyntaxError);
  }

  Parameter ParseString(char quote) {
    Parameter string{ParameterKind::kString, 0.0, {}};
    ++pos_;
    while (true) {
      if (AtEnd()) Fail(kSyntaxError);
      char c = text_[pos_++];
      if (c != quote) {
        string.text += c;
      } else if (Peek() == quote) {  // a doubled quote stands for itself
        string.text += c;
        ++pos_;
      } else {
        return string;
      }
    }
  }

  size_t SkipDigits() {
    size_t start = pos_;
    while (!AtEnd() && IsDigit(text_[pos_])) ++pos_;
    return pos_ - start;
  }

  // <NRf>: [sign] digits [. digits] [E [sign] digits], then an optional suffix.
  Parameter ParseNumber() {
    size_t start = pos_;
    if (Peek() == '+' || Peek() == '-') ++pos_;
    size_t digits = SkipDigits();
    if (Peek() == '.') {
      ++pos_;
      digits += SkipDigits();
    }
    if (digits == 0) Fail(kSyntaxError);
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (SkipDigits() == 0) Fail(kSyntaxError);
    }
    // Read with a decimal point whatever the locale; std::from_chars takes no plus sign.
    std::string_view number = text_.substr(start, pos_ - start);
    if (number.front() == '+') number.remove_prefix(1);
    Parameter parameter{ParameterKind::kNumber, 0.0, {}};
    std::from_chars_result read =
        std::from_chars(number.data(), number.data() + number.size(), parameter.number);
    if (read.ec == std::errc::result_out_of_range) Fail(kDataOutOfRange);
    SkipBlanks();
    while (!AtEnd() && (IsLetter(text_[pos_]) || text_[pos_] == '/')) parameter.text += text_[pos_++];
    if (!AtEnd() && IsWordChar(Peek())) Fail(kSyntaxError);
    return parameter;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

ParsedMessage ParseProgramMessage(std::string_view message) { return MessageLexer(message).Parse(); }

std::vector<std::string> MessageHeaders(std::string_view message) {
  std::vector<std::string> headers;
  for (ProgramUnit& unit : ParseProgramMessage(message).units) headers.push_back(std::move(unit.header));
  return headers;
}

}  // namespace tgqsim
