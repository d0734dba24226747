// Small text helpers shared by the parser, the configuration and the VISA layer.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tgqsim {

std::string ToUpper(std::string_view text);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix);
std::string_view Trim(std::string_view text);
bool IsBlank(char c);
// The text split at every separator; a trailing separator adds no empty piece.
std::vector<std::string_view> Split(std::string_view text, char separator);

}  // namespace tgqsim
