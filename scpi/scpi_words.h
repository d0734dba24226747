// SCPI mnemonics as instrument manuals write them: the upper-case part is the
// short form, the whole word the long form ("FREQuency" is FREQ or FREQUENCY).
// Either form matches, in any case; nothing in between does.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace scpi {

// SCPI words and headers are the same whatever their case.
bool SameWordIgnoringCase(std::string_view a, std::string_view b);

class Mnemonic {
 public:
  explicit Mnemonic(std::string_view spelling);
  bool Matches(std::string_view written) const;
  const std::string& ShortForm() const { return short_; }
  const std::string& LongForm() const { return long_; }

 private:
  std::string short_;
  std::string long_;
};

// A command header such as "[SOURce]:VOLTage[:LEVel]:OFFSet": nodes separated
// by colons, optional nodes in brackets.
class HeaderPattern {
 public:
  explicit HeaderPattern(std::string_view pattern);
  bool Matches(const std::vector<std::string>& path) const;
  // The header in short or long form without the optional nodes: "VOLT:OFFS".
  std::string ShortForm() const;
  std::string LongForm() const;

 private:
  struct Node {
    Mnemonic mnemonic;
    bool optional;
  };
  bool MatchesFrom(size_t node, const std::vector<std::string>& path, size_t index) const;

  std::vector<Node> nodes_;
};

// A written header's nodes: ":SOUR:FREQ" and "sour:freq" give {"SOUR", "FREQ"};
// none for an empty node ("FREQ::STAR").
std::vector<std::string> HeaderPath(std::string_view header);

}  // namespace scpi
