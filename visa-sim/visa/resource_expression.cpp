// GCC 12 warns falsely inside its own <regex> (std::function members).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

#include "visa-sim/visa/resource_expression.h"


#include <regex>

namespace tgqsim {

std::optional<ResourceExpression> ResourceExpression::Compile(const std::string& expression) {
  std::string regex;
  bool inSet = false;
  for (char c : expression) {
    if (inSet) {
      if (c == ']') inSet = false;
      if (c == '\\') regex += '\\';
      regex += c;
      continue;
    }
    switch (c) {
      case '?':
        regex += '.';
        break;
      case '[':
        inSet = true;
        regex += c;
        break;
      case '*':
      case '+':
      case '|':
      case '(':
      case ')':
        regex += c;
        break;
      case '{':  // attribute expressions are not supported
        return std::nullopt;
      default:
        if (std::string("\\^$.}]").find(c) != std::string::npos) regex += '\\';
        regex += c;
    }
  }
  if (inSet) return std::nullopt;
  try {
    return ResourceExpression(std::regex(regex, std::regex::ECMAScript | std::regex::icase));
  } catch (const std::regex_error&) {
    return std::nullopt;
  }
}

bool ResourceExpression::Matches(const std::string& name) const {
  return std::regex_match(name, regex_);
}

}  // namespace tgqsim
