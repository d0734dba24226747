// VISA resource search expressions: '?' any one character, '*' and '+' zero
// or more and one or more of what precedes, [set] and [^set], '|' and
// parentheses; matched against the whole name, ignoring case.
#pragma once

#include <optional>
#include <regex>
#include <string>

namespace tgqsim {

class ResourceExpression {
 public:
  // Empty when the expression is malformed or uses attribute matching.
  static std::optional<ResourceExpression> Compile(const std::string& expression);
  bool Matches(const std::string& name) const;

 private:
  explicit ResourceExpression(std::regex regex) : regex_(std::move(regex)) {}
  std::regex regex_;
};

}  // namespace tgqsim
